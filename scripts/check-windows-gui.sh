#!/usr/bin/env bash
# Checks the Windows desktop program and its installer under wine on a virtual X display:
#  - kr4100.exe starts from a copy of the built folder and shows the main window with the exact
#    caption the Linux program shows (as its window tests pin it), in English and in Chinese;
#  - a picture of the main window with the channel grid in each language (kept in
#    build-windows-gui/screenshots/ to look at);
#  - the installer installs silently, makes the Start-menu entry and the .dat association, and
#    its uninstaller removes what it installed but keeps the user's settings and data files.
# Run after scripts/build-windows-gui.sh (bash scripts/build-windows.sh --gui does both).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh xvfb xauth xdotool wine wine64
source scripts/wine-env.sh

built="$root/build-windows-gui/KR-4100"
setup="$(ls "$root"/build-windows-gui/KR-4100-*-setup.exe)"
shots="$root/build-windows-gui/screenshots"
[ -f "$built/V600/kr4100.exe" ] || { echo "No $built/V600/kr4100.exe: run scripts/build-windows-gui.sh"; exit 1; }
mkdir -p "$shots"

work=$(mktemp -d /tmp/kr4100-windows-gui.XXXXXX)
display=$((100 + $$ % 400))
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
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

# The installer, silently into a folder of its own, then its uninstaller.
target='C:\KR-4100-check'
target_unix="$(winepath -u "$target" 2>/dev/null)"
rm -rf "$target_unix"
wine "$setup" /S "/D=$target" >/dev/null 2>&1 || fail "the installer exited with $?"
for f in Version.ini language/mysetup.ini V600/kr4100.exe V600/Qt6Widgets.dll V600/plugins/platforms/qwindows.dll \
         V600/Init/0_KR-4100_New.dat V600/PIC/BK_1.jpg V600/StartE.jpg Uninstall.exe; do
  [ -f "$target_unix/$f" ] || fail "not installed: $f"
done
menu="$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\KR-4100' 2>/dev/null)"
[ -f "$menu/KR-4100.lnk" ] || fail "no Start-menu entry"
wine reg query 'HKLM\Software\Classes\KR4100.DataFile\shell\open\command' 2>/dev/null | grep -q 'kr4100.exe" "%1"' \
  || fail ".dat is not opened with the program"

# What the user made there must outlive the uninstaller; everything installed must not.
echo "CurrentLanguage=2" >>"$target_unix/language/mysetup.ini"
cp "$target_unix/V600/Init/0_KR-4100_New.dat" "$target_unix/V600/my-radio.dat"
wine "$target_unix/Uninstall.exe" /S "_?=$target" >/dev/null 2>&1 || fail "the uninstaller exited with $?"
wineserver --wait || true
rm -f "$target_unix/Uninstall.exe"  # run in place (_?=), it cannot delete itself
left="$(cd "$target_unix" && find . -type f | LC_ALL=C sort | tr '\n' ' ')"
[ "$left" = "./V600/my-radio.dat ./language/mysetup.ini " ] || fail "left after uninstalling: $left"
grep -q "CurrentLanguage=2" "$target_unix/language/mysetup.ini" || fail "the user's settings were not kept"
[ ! -e "$menu" ] || fail "the Start-menu entry is still there"
if wine reg query 'HKLM\Software\Classes\KR4100.DataFile' >/dev/null 2>&1; then fail "the .dat association is still there"; fi
rm -rf "$target_unix"

if ((failures)); then echo "$failures failed"; exit 1; fi
echo "Windows desktop program and installer: all checks passed"
