#!/usr/bin/env bash
# Runs the Linux kr4100-cli and the Windows kr4100-cli.exe (under wine) on the same inputs and
# requires the same output: the same files, byte for byte, and the same standard output,
# standard error and exit status for every command. Nothing is normalised: the .exe writes its
# streams in binary mode, so a line ends in LF there too.
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
rm -f build-windows/KR-4100/V600/Init/*.dat build/KR-4100/V600/Init/*.dat build-core/KR-4100/V600/Init/*.dat

bash scripts/build-windows.sh
echo "Cross build: $((SECONDS - start)) s"
source scripts/wine-env.sh

if [ -f build/build.ninja ] || [ -f build/Makefile ]; then
  linux_build=build
else
  linux_build=build-core
  cmake -S . -B build-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKR4100_WITH_QT=OFF >/dev/null
fi
cmake --build "$linux_build" --target kr4100-cli kr4100-install-layout -j2 >/dev/null
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
# run ARGS...: the same command in both folders; streams and status must match.
run() {
  case_number=$((case_number + 1))
  local tag="case$case_number"
  local status_linux=0 status_windows=0
  (cd "$work/linux" && "$linux_cli" "$@" >"../$tag.linux.out" 2>"../$tag.linux.err") || status_linux=$?
  (cd "$work/windows" && wine "$windows_cli" "$@" >"../$tag.windows.out" 2>"../$tag.windows.err") ||
    status_windows=$?
  local same=1
  [ "$status_linux" -eq "$status_windows" ] || same=0
  cmp -s "$work/$tag.linux.out" "$work/$tag.windows.out" || same=0
  cmp -s "$work/$tag.linux.err" "$work/$tag.windows.err" || same=0
  if ((same)); then
    echo "same  (exit $status_linux) kr4100-cli $*"
  else
    echo "DIFFERENT kr4100-cli $*: exit $status_linux / $status_windows"
    diff <(od -c "$work/$tag.linux.out") <(od -c "$work/$tag.windows.out") | head -20 || true
    diff <(od -c "$work/$tag.linux.err") <(od -c "$work/$tag.windows.err") | head -20 || true
    failures=$((failures + 1))
  fi
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
