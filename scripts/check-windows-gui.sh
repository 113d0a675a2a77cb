#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows desktop program and its installer under wine on a virtual X display:
#  - kr4100.exe starts from a copy of the built folder and shows the main window with the exact
#    caption the Linux program shows (as its window tests pin it), in English and in Chinese;
#  - a picture of the main window with the channel grid in each language (kept in
#    build-windows-gui/screenshots/ to look at);
#  - a read and a write from the window, by its keys, through COM5 against kr4100-sim at the
#    wire's pace: the data file the window saves after the read and the radio's memory after the
#    write, byte for byte those of the Linux program on the same radio;
#  - the programs carry their icon and version resource; the installer installs silently (for all
#    users, and for one), makes the Start-menu entry, the .dat association and the
#    installed-programs entry, and its uninstaller removes what it installed but keeps the user's
#    settings and data files (scripts/check-windows-installer.sh).
# Run after scripts/build-windows-gui.sh (bash scripts/build-windows.sh --gui does both).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh xvfb xauth xdotool wine wine64
source scripts/wine-env.sh

# The Linux program and the virtual radio the window is compared with.
if [ -f build/build.ninja ] || [ -f build/Makefile ]; then
  linux_build=build
else
  linux_build=build-core
  cmake -S . -B build-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKR4100_WITH_QT=OFF >/dev/null
fi
# Both sides' band templates carry the day they were made, as the Windows build made its own:
# the Linux ones are made again for today (the command line's check makes them for a fixed day).
unset SOURCE_DATE_EPOCH
rm -f "$linux_build"/KR-4100/V600/Init/*.dat
cmake --build "$linux_build" --target kr4100-cli kr4100-sim kr4100-install-layout -j2 >/dev/null
linux_cli="$root/$linux_build/KR-4100/V600/kr4100-cli"
sim="$root/$linux_build/KR-4100/V600/kr4100-sim"

built="$root/build-windows-gui/KR-4100"
setup="$(ls "$root"/build-windows-gui/KR-4100-*-setup.exe)"
shots="$root/build-windows-gui/screenshots"
[ -f "$built/V600/kr4100.exe" ] || { echo "No $built/V600/kr4100.exe: run scripts/build-windows-gui.sh"; exit 1; }
mkdir -p "$shots"

work=$(mktemp -d /tmp/kr4100-windows-gui.XXXXXX)
display=$((100 + $$ % 400))
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sim_pid=""
# The program's backups and traces in a folder of the check's own, put back as they were after it.
wine_data_set_aside
trap 'kill $xvfb $sim_pid 2>/dev/null || true; wineserver -k 2>/dev/null || true
      wine reg delete "HKLM\\Software\\Wine\\Ports" /v COM5 /f >/dev/null 2>&1 || true
      wine_data_restore
      rm -rf "$work"' EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The program in one language: its caption as the window manager sees it, and its own picture
# of the main window (--screenshot saves it and quits).
caption_of() {  # language-number expected-caption picture
  local dir="$work/lang$1"
  cp -r "$built" "$dir"
  sed -i 's/^IsFirstRun=.*/IsFirstRun=0/; s/^CurrentLanguage=.*/CurrentLanguage='"$1"'/' "$dir/language/mysetup.ini"
  # Wine's DirectWrite draws no text in Qt's line edits (the grid's open cell came out blank);
  # the pictures are drawn with the GDI font engine, which wine draws as Windows does.
  QT_QPA_PLATFORM=windows:nodirectwrite \
  wine "$dir/V600/kr4100.exe" --screenshot "$(winepath -w "$work/shot$1.png" 2>/dev/null)" \
    >"$work/run$1.log" 2>&1 &
  local program=$! caption=""
  for _ in $(seq 600); do
    caption="$(xdotool search --name '^KR-4100\[' getwindowname %@ 2>/dev/null | head -n 1 || true)"
    [ -n "$caption" ] && break
    sleep 0.1
  done
  local status=0
  wait "$program" || status=$?
  if [ "$caption" = "$2" ]; then echo "caption: $caption"; else fail "caption '$caption', expected '$2'"; fi
  if [ "$status" -eq 0 ] && [ -s "$work/shot$1.png" ]; then
    cp "$work/shot$1.png" "$shots/$3"
    echo "picture: $shots/$3"
  else
    fail "no picture of the main window (exit status $status)"; cat "$work/run$1.log"
  fi
}
caption_of 1 "KR-4100[28.000000 - 29.700000 MHz][File Name:new.dat]" main-window-en.png
caption_of 2 "KR-4100[28.000000 - 29.700000 MHz][文件名:new.dat]" main-window-zh.png

# ---- A read and a write from the window, through COM5 --------------------------------------------
# Wine takes COM5 from HKLM\Software\Wine\Ports; it names a link of ours pointed at the sim's
# pseudo-terminal. The window is driven by its own keys, as a user without a mouse would.
com5="$work/com5"
ln -sfn /dev/null "$com5"
wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$com5" /f >/dev/null 2>&1
wineserver -w
(
  cd "$work"
  "$linux_cli" new base.dat
  "$linux_cli" export-csv base.dat base.csv
  sed -e '2s/^A,1,[^,]*,[^,]*,/A,1,29.100000,29.200000,/' base.csv >edited.csv
  printf 'C,60,28.010000,28.010000,Disable,Enable,Disable,Enable,Enable,Enable,Add\r\n' >>edited.csv
  "$linux_cli" import-csv base.dat edited.csv edited.dat
  "$linux_cli" pack base.dat base.img
  "$linux_cli" pack edited.dat edited.img
) >/dev/null

source scripts/sim-control.sh

# The id of a shown window whose whole name is $1, within $2 tenths of a second.
await_window() {
  local id=""
  for _ in $(seq "$2"); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# Keys to the window $1, focused first (there is no window manager to do it). A menu is given
# time to open before its entry's key.
keys_to() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  sleep 0.3
  xdotool key --delay 120 "$@"
}
# Answers the box that comes next with Enter: a message box ("KR-4100"), or the window named $3.
answer_box() {  # what-for tenths [title]
  local box title="${3:-KR-4100}"
  box="$(await_window "$title" "$2")" || { fail "no message box for $1"; return 1; }
  keys_to "$box" Return
  # Gone before the next one is looked for, so that the same box is never answered twice.
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | grep -qx "$box" || return 0
    sleep 0.1
  done
  fail "the message box for $1 did not close"
  return 1
}

# After each case: the program itself and any box it still shows go, with the radio.
end_case() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  stop_sim
}

window_caption='KR-4100\[28.000000 - 29.700000 MHz\]\[File Name:.*\]'
gui="$work/gui"
cp -r "$built" "$gui"
sed -i 's/^IsFirstRun=.*/IsFirstRun=0/; s/^CurrentLanguage=.*/CurrentLanguage=1/' "$gui/language/mysetup.ini"

# Read: the window reads the radio, then saves the document under a name typed into the dialog.
start_sim "$work/sim-linux-read.log" --pace --image "$work/edited.img"
"$linux_cli" read --port "$sim_device" --no-backup "$work/linux-read.dat" >/dev/null 2>&1
stop_sim
start_sim "$work/sim-window-read.log" --pace --image "$work/edited.img"
ln -sfn "$sim_device" "$com5"
wine "$gui/V600/kr4100.exe" --port COM5 >"$work/gui-read.log" 2>&1 &
program=$!
if main="$(await_window "$window_caption" 600)"; then
  sleep 2  # the caption comes before the window takes keys
  read_start=$SECONDS
  keys_to "$main" alt+p
  sleep 1
  xdotool key r
  answer_box "the read question" 100 || true
  answer_box "the end of the read" 400 || true
  echo "read from the window: $((SECONDS - read_start)) s"
  keys_to "$main" ctrl+s
  if dialog="$(await_window '.*[Ss]ave.*' 100)"; then
    # The dialog opens in its "File name" box with the cursor before the name: the name is
    # chosen by keys and typed over.
    keys_to "$dialog" End shift+Home
    xdotool type --delay 40 "$(winepath -w "$work/window-read.dat" 2>/dev/null)"
    xdotool key Return
    for _ in $(seq 100); do [ -s "$work/window-read.dat" ] && break; sleep 0.1; done
  else
    fail "no save dialog"
  fi
  keys_to "$main" alt+F4
  sleep 1
else
  fail "the main window did not come for the read"
fi
end_case
if cmp -s "$work/linux-read.dat" "$work/window-read.dat"; then
  echo "read from the window: the data file is the Linux program's, byte for byte"
else
  fail "the window's read gave another data file than the Linux program's (both kept in $shots)"
  cp "$work/linux-read.dat" "$shots/" 2>/dev/null || true
  cp "$work/window-read.dat" "$shots/" 2>/dev/null || true
fi

# Write: the window opens the edited file (as a double-click would) and writes it to the radio.
start_sim "$work/sim-linux-write.log" --pace --image "$work/base.img" --save "$work/linux-radio.img"
"$linux_cli" write --port "$sim_device" --no-backup "$work/edited.dat" >/dev/null 2>&1
stop_sim
start_sim "$work/sim-window-write.log" --pace --image "$work/base.img" --save "$work/window-radio.img"
ln -sfn "$sim_device" "$com5"
cp "$work/edited.dat" "$work/to-write.dat"
wine "$gui/V600/kr4100.exe" --port COM5 "$(winepath -w "$work/to-write.dat" 2>/dev/null)" >"$work/gui-write.log" 2>&1 &
program=$!
if main="$(await_window "$window_caption" 600)"; then
  sleep 2
  write_start=$SECONDS
  keys_to "$main" alt+p
  sleep 1
  xdotool key w
  # With the read above kept as a backup of this radio, the question lists what the write changes.
  answer_box "the write question" 100 "(KR-4100|Write data to radio)" || true
  answer_box "the end of the write" 400 || true
  echo "write from the window: $((SECONDS - write_start)) s"
  keys_to "$main" alt+F4
  sleep 1
else
  fail "the main window did not come for the write"
fi
end_case
if cmp -s "$work/linux-radio.img" "$work/window-radio.img"; then
  echo "write from the window: the radio's memory is the Linux program's, byte for byte"
else
  fail "the window's write left another memory in the radio than the Linux program's"
fi
wine reg delete 'HKLM\Software\Wine\Ports' /v COM5 /f >/dev/null 2>&1 || true

# What Windows shows of the programs, then the installer, silently for all users and for one.
bash scripts/check-windows-resources.sh "$root/build-windows-gui/KR-4100/V600/kr4100.exe" \
  "KR-4100 programming software" || failures=$((failures + 1))
bash scripts/check-windows-resources.sh "$root/build-windows-gui/KR-4100/V600/kr4100-cli.exe" \
  "KR-4100 programming software, command line" || failures=$((failures + 1))
bash scripts/check-windows-installer.sh "$setup" "$root/build-windows-gui/KR-4100" || failures=$((failures + 1))

if ((failures)); then echo "$failures failed"; exit 1; fi
echo "Windows desktop program and installer: all checks passed"
