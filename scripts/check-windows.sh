#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the Linux kr4100-cli and the Windows kr4100-cli.exe (under wine) on the same inputs and
# requires the same output: the same files, byte for byte, and the same standard output,
# standard error and exit status for every command. Nothing is normalised: the .exe writes its
# streams in binary mode, so a line ends in LF there too. The radio commands run against
# kr4100-sim, the .exe through COM5; there only the port's name may differ, and is read as COM5.
# Builds the .exe first (scripts/build-windows.sh); the Linux program is taken from build/ when
# that is configured, else from a Qt-less build in build-core/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
start=$SECONDS

# The band templates both builds make, and so every new document made from them, carry the same
# programming date, even when the check runs across midnight; so does the one document made
# without a template, which asks for the build's date as the templates do.
export SOURCE_DATE_EPOCH=1765152000  # 2025-12-08
# The Linux program's backups and traces in a folder of the check's own: a write that stops
# part-way names the newest backup of that radio, and the user's own folder must not decide that.
export XDG_DATA_HOME="$root/build-windows/check-data"
rm -rf "$XDG_DATA_HOME"
rm -f build-windows/KR-4100/V600/Init/*.dat build/KR-4100/V600/Init/*.dat build-core/KR-4100/V600/Init/*.dat

bash scripts/build-windows.sh
echo "Cross build: $((SECONDS - start)) s"
bash scripts/check-windows-resources.sh build-windows/KR-4100/V600/kr4100-cli.exe \
  "KR-4100 programming software, command line"
# The installer script, over the command line's folder (the desktop program's needs the Qt for
# Windows that scripts/build-windows.sh --gui builds).
setup=$(bash scripts/make-windows-installer.sh build-windows/KR-4100 build-windows)
bash scripts/check-windows-installer.sh "$setup" build-windows/KR-4100
source scripts/wine-env.sh

if [ -f build/build.ninja ] || [ -f build/Makefile ]; then
  linux_build=build
else
  linux_build=build-core
  cmake -S . -B build-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKR4100_WITH_QT=OFF >/dev/null
fi
cmake --build "$linux_build" --target kr4100-cli kr4100-sim kr4100-install-layout -j2 >/dev/null
linux_cli="$root/$linux_build/KR-4100/V600/kr4100-cli"
windows_cli="$root/build-windows/KR-4100/V600/kr4100-cli.exe"

work=$(mktemp -d /tmp/kr4100-windows-check.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/inputs" "$work/linux" "$work/windows"

# Inputs both programs get, made once (by the Linux program; the comparison shows whether the
# Windows one would have made the same).
nonascii=$'\xe9\xa2\x91\xe9\x81\x93-\xc3\x9cn\xc3\xaf'   # 频道-Ünï
(
  cd "$work/inputs"
  "$linux_cli" new base.dat
  "$linux_cli" new --band 1 band1.dat
  "$linux_cli" export-csv base.dat base.csv
  # Two channels changed and one added, and a file with bad rows.
  sed -e '2s/^A,1,[^,]*,[^,]*,/A,1,29.100000,29.200000,/' base.csv >edited.csv
  printf 'C,60,28.010000,28.010000,Disable,Enable,Disable,Enable,Enable,Enable,Add\r\n' >>edited.csv
  cp base.csv bad.csv
  printf 'A,9,31,,Disable,Enable,Disable,Disable,Disable,Disable,Add\r\nQ,1,28.5\r\n' >>bad.csv
  "$linux_cli" import-csv base.dat edited.csv edited.dat
  head -c 1000 base.dat >truncated.dat
  head -c 14531 /dev/zero >zeros.dat
  "$linux_cli" pack base.dat base.img
  cp base.img image-not-data.dat
  cp edited.dat "$nonascii.dat"
) >/dev/null
cp -r "$work/inputs/." "$work/linux/"
cp -r "$work/inputs/." "$work/windows/"

failures=0
case_number=0
# compare TAG STATUS_LINUX STATUS_WINDOWS NOTE WHAT: the streams of case TAG and the statuses must
# match; NOTE says what was made comparable first.
compare() {
  local tag=$1 status_linux=$2 status_windows=$3 note=$4
  shift 4
  local same=1
  [ "$status_linux" -eq "$status_windows" ] || same=0
  cmp -s "$work/$tag.linux.out" "$work/$tag.windows.out" || same=0
  cmp -s "$work/$tag.linux.err" "$work/$tag.windows.err" || same=0
  if ((same)); then
    echo "same  (exit $status_linux$note) kr4100-cli $*"
  else
    echo "DIFFERENT kr4100-cli $*: exit $status_linux / $status_windows"
    diff <(od -c "$work/$tag.linux.out") <(od -c "$work/$tag.windows.out") | head -20 || true
    diff <(od -c "$work/$tag.linux.err") <(od -c "$work/$tag.windows.err") | head -20 || true
    failures=$((failures + 1))
  fi
}

# run ARGS...: the same command in both folders; streams and status must match.
run() {
  case_number=$((case_number + 1))
  local tag="case$case_number"
  local status_linux=0 status_windows=0
  (cd "$work/linux" && "$linux_cli" "$@" >"../$tag.linux.out" 2>"../$tag.linux.err") || status_linux=$?
  (cd "$work/windows" && wine "$windows_cli" "$@" >"../$tag.windows.out" 2>"../$tag.windows.err") ||
    status_windows=$?
  compare "$tag" "$status_linux" "$status_windows" "" "$@"
}

wine_start=$SECONDS
run new new.dat
run new --band 1 new1.dat
run new --no-template --source-date-epoch plain.dat
run new --band 2 never.dat
run dump base.dat
run dump base.dat band1.dat edited.dat
run check base.dat band1.dat edited.dat "$nonascii.dat"
run check truncated.dat zeros.dat image-not-data.dat missing.dat base.dat
run --lang zh check truncated.dat zeros.dat missing.dat
run diff base.dat edited.dat
run diff base.dat base.dat
run diff base.dat band1.dat
run resave edited.dat resaved.dat
run resave truncated.dat never2.dat
run pack edited.dat edited.img
run unpack base.img unpacked.dat
run unpack --band 1 base.img unpacked1.dat
run unpack base.dat never3.dat
run export-csv edited.dat edited-out.csv
run import-csv base.dat edited.csv imported.dat
run import-csv base.dat bad.csv never4.dat
run --lang zh import-csv base.dat bad.csv never5.dat
# A name outside ASCII, read and written.
run check "$nonascii.dat"
run dump "$nonascii.dat"
run resave "$nonascii.dat" "$nonascii-2.dat"
run export-csv "$nonascii.dat" "$nonascii.csv"
run import-csv "$nonascii.dat" "$nonascii.csv" "$nonascii-3.dat"
run pack "$nonascii-3.dat" "$nonascii.img"
run diff "$nonascii.dat" "$nonascii-3.dat"
# Saving over an existing file.
run resave base.dat edited.dat
run check
echo "Under wine: $case_number commands in $((SECONDS - wine_start)) s"

# ---- The radio commands, through COM5 ------------------------------------------------------------
# Each side talks to a kr4100-sim of its own, started with the same options: the Linux program on
# the sim's pseudo-terminal, the .exe on COM5. Wine takes COM5 from HKLM\Software\Wine\Ports, which
# also registers it under HARDWARE\DEVICEMAP\SERIALCOMM as a Windows driver would; it names a link
# of ours (dosdevices/com5 -> link -> /dev/pts/N) that each case points at its sim's terminal.
# The radio's memory when the sim ends (--save) is among the files compared.
radio_start=$SECONDS
radio_cases=$case_number
sim="$root/$linux_build/KR-4100/V600/kr4100-sim"
com5="$work/com5"
sim_pid=""
com12="$work/com12"
ln -sfn /dev/null "$com5"
ln -sfn /dev/null "$com12"
wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$com5" /f >/dev/null 2>&1
# A port above COM9, which Windows opens by its device name (\\.\COM12) alone.
wine reg add 'HKLM\Software\Wine\Ports' /v COM12 /d "$com12" /f >/dev/null 2>&1
# The registration is read when wine starts again. The server then started stays between the
# cases, with its own streams: one started by a case's wine would write into that case's.
wineserver -w
wineserver -p30 </dev/null >/dev/null 2>&1
silent_pid=""
# The .exe's backups and traces in a folder of the check's own too.
wine_data_set_aside
trap 'for pid in $sim_pid $silent_pid; do kill "$pid" 2>/dev/null || true; done
      wine reg delete "HKLM\\Software\\Wine\\Ports" /v COM5 /f >/dev/null 2>&1 || true
      wine reg delete "HKLM\\Software\\Wine\\Ports" /v COM12 /f >/dev/null 2>&1 || true
      wine_data_restore
      rm -rf "$work"' EXIT

source scripts/sim-control.sh

# radio "SIM OPTIONS" ARGS...: the command on both sides, each against a fresh radio started with
# the options; PORT in ARGS is the radio's port, NOPORT one that does not exist. Streams and status
# must match, except that where
# the Linux side names its terminal the comparison reads COM5 there, and says so.
radio() {
  case_number=$((case_number + 1))
  local tag="case$case_number" options=$1
  shift
  local status_linux=0 status_windows=0 arguments=() note=""
  # shellcheck disable=SC2086  # the options are words
  start_sim "$work/$tag.sim-linux" $options --save "$work/linux/radio-$tag.img"
  arguments=("${@/#PORT/$sim_device}")
  arguments=("${arguments[@]/#NOPORT//dev/kr4100-no-port}")
  (cd "$work/linux" && "$linux_cli" "${arguments[@]}" >"../$tag.linux.out" 2>"../$tag.linux.err") ||
    status_linux=$?
  stop_sim
  for stream in out err; do
    sed "s|$sim_device|COM5|g" "$work/$tag.linux.$stream" >"$work/$tag.linux.$stream.com5"
    cmp -s "$work/$tag.linux.$stream" "$work/$tag.linux.$stream.com5" || note=", $sim_device read as COM5"
    mv "$work/$tag.linux.$stream.com5" "$work/$tag.linux.$stream"
  done
  # shellcheck disable=SC2086
  start_sim "$work/$tag.sim-windows" $options --save "$work/windows/radio-$tag.img"
  ln -sfn "$sim_device" "$com5"
  arguments=("${@/#PORT/COM5}")
  arguments=("${arguments[@]/#NOPORT/COM9}")
  (cd "$work/windows" && wine "$windows_cli" "${arguments[@]}" >"../$tag.windows.out" \
    2>"../$tag.windows.err") || status_windows=$?
  stop_sim
  compare "$tag" "$status_linux" "$status_windows" "$note" "$@"
}

if [ "$linux_build" = build ]; then
  radio "" read --port PORT --no-backup read.dat
  radio "" --lang zh read --port PORT --no-backup --band 1 read1.dat
  radio "" write --port PORT --no-backup edited.dat
  radio "" write --port PORT --no-backup --verify edited.dat
  radio "" write --port PORT --no-backup --verify --stop-bits 2 --handshaking 3 edited.dat
  radio "" write --port PORT --no-backup --handshaking 1 band1.dat
  # XON/XOFF swallows the 0x11 and 0x13 of the radio's replies on both systems alike.
  radio "" write --port PORT --no-backup --verify --handshaking 1 edited.dat
  radio "--store-wrong 16" write --port PORT --no-backup --verify edited.dat
  radio "" info --port PORT
  radio "" testmode channels --port PORT base.dat
  radio "" testmode align --port PORT base.dat --item 4 --set 1=201 --set 0=120 --ok
  radio "" testmode align --port PORT base.dat --item 12 --poll 3 --cancel
  # The port search: the radio answers only 2 stop bits with RTS/CTS.
  radio "--stop-bits 2 --handshaking 2" read --port PORT --no-backup searched.dat
  # Faults: the cable pulled mid-transfer, a radio of another model, a test mode going silent.
  radio "--silent-after 5" read --port PORT --no-backup never6.dat
  radio "--silent-after 5" write --port PORT --no-backup edited.dat
  radio "--model XY12" read --port PORT --no-backup never7.dat
  radio "--model XY12" write --port PORT --no-backup edited.dat
  radio "--model XY12" --lang zh testmode channels --port PORT base.dat
  radio "--test-silent-after 3" testmode channels --port PORT base.dat
  # The backup goes into the data folder, named by the moment: its contents are compared.
  radio "" read --port PORT --data-dir backups read-backed-up.dat
  for side in linux windows; do
    for f in "$work/$side"/backups/backups/*.dat; do
      [ -e "$f" ] && mv "$f" "$work/$side/backups/backups/${f##*_read_}"
    done
  done
  # No port of that name at all.
  radio "" info --port NOPORT

  # The search through the registered ports, which only Windows can show here: COM6 opens but
  # stays silent, so the .exe goes through SERIALCOMM's ports and finds the radio on COM5. The
  # data file is the one the Linux program read from the same radio.
  case_number=$((case_number + 1))
  start_sim "$work/silent.sim" --silent-after 0
  silent_pid=$sim_pid
  ln -sfn "$sim_device" "$WINEPREFIX/dosdevices/com6"
  start_sim "$work/found.sim"
  ln -sfn "$sim_device" "$com5"
  status=0
  wine "$windows_cli" read --port COM6 --no-backup "$work/registry-search.dat" \
    >"$work/registry-search.out" 2>"$work/registry-search.err" || status=$?
  stop_sim
  sim_pid=$silent_pid
  silent_pid=""
  stop_sim
  rm -f "$WINEPREFIX/dosdevices/com6"
  if [ "$status" -eq 0 ] && cmp -s "$work/registry-search.dat" "$work/linux/read.dat" &&
    grep -q "Radio found on COM5, 1 stop bit, handshaking none" "$work/registry-search.err"; then
    echo "found (exit 0) kr4100-cli.exe read --port COM6: on COM5 of SERIALCOMM, the Linux read's file"
  else
    echo "NOT FOUND kr4100-cli.exe read --port COM6 (exit $status): $(tr '\r' '\n' <"$work/registry-search.err" | grep -v '%$')"
    failures=$((failures + 1))
  fi
  # COM12: read through it, the Linux read's file; listed after COM5, as numbers sort.
  case_number=$((case_number + 1))
  start_sim "$work/com12.sim"
  ln -sfn "$sim_device" "$com12"
  status=0
  wine "$windows_cli" read --port COM12 --no-backup "$work/com12.dat" >"$work/com12.out" \
    2>"$work/com12.err" || status=$?
  stop_sim
  ln -sfn /dev/null "$com12"
  if [ "$status" -eq 0 ] && cmp -s "$work/com12.dat" "$work/linux/read.dat"; then
    echo "read  (exit 0) kr4100-cli.exe read --port COM12: the Linux read's file"
  else
    echo "NOT READ kr4100-cli.exe read --port COM12 (exit $status): $(tr '\r' '\n' <"$work/com12.err" | grep -v '%$')"
    failures=$((failures + 1))
  fi
  case_number=$((case_number + 1))
  # Both ports lead somewhere that exists, as at the start: the listing never sees a dead link.
  ln -sfn /dev/null "$com5"
  wine "$windows_cli" ports >"$work/ports.out" 2>"$work/ports.err" || true
  # A port missing from the listing is a difference to report, not a reason to stop here.
  at5=$(grep -n '^COM5\b' "$work/ports.out" | cut -d: -f1 || true)
  at12=$(grep -n '^COM12\b' "$work/ports.out" | cut -d: -f1 || true)
  if [ -n "$at5" ] && [ -n "$at12" ] && [ "$at5" -lt "$at12" ]; then
    echo "listed kr4100-cli.exe ports: $(tr '\n' ';' <"$work/ports.out")"
  else
    echo "NOT LISTED kr4100-cli.exe ports: COM5 before COM12 expected, got: $(cat "$work/ports.out" "$work/ports.err")"
    failures=$((failures + 1))
  fi
  echo "Radio commands: $((case_number - radio_cases)) cases in $((SECONDS - radio_start)) s"
else
  echo "Radio commands: not compared, the Linux side needs the Qt build in build/"
fi

# Every file either program made, the same name and the same bytes.
if diff -r "$work/linux" "$work/windows"; then
  echo "same  files: $(cd "$work/linux" && find . -type f | wc -l) in each folder"
else
  echo "DIFFERENT files"
  failures=$((failures + 1))
fi
# The band templates the .exe made for its installation are the Linux ones.
for t in "$linux_build"/KR-4100/V600/Init/*.dat; do
  if ! cmp "$t" "build-windows/KR-4100/V600/Init/$(basename "$t")"; then failures=$((failures + 1)); fi
done

echo "Windows check: $((SECONDS - start)) s in all"
if ((failures)); then
  echo "Windows check: $failures differences"
  exit 1
fi
echo "Windows check: the Windows program gives the Linux results"
