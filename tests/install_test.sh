#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, as `cmake --install build --prefix DIR` does for a
# user, and checks that the installed programs work from there:
#   the layout, file for file; the links in bin/ (kr4100-cli's file commands, and its radio commands,
#   handed to kr4100-cli-radio, against the installed virtual radio); a reinstall keeping the
#   settings the user changed; and a folder the user cannot write, with the settings kept in the
#   per-user folder.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
chmod 755 "$work"
sim_pid=""
cleanup() {
  [ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

echo "== layout"
expected="bin/kr4100 -> ../lib/kr4100/V600/kr4100
bin/kr4100-cli -> ../lib/kr4100/V600/kr4100-cli
bin/kr4100-sim -> ../lib/kr4100/V600/kr4100-sim
lib/kr4100/V600/Init/0_KR-4100.dat
lib/kr4100/V600/Init/0_KR-4100_New.dat
lib/kr4100/V600/Init/1_KR-4100.dat
lib/kr4100/V600/Init/1_KR-4100_New.dat
lib/kr4100/V600/PIC/BK_1.jpg
lib/kr4100/V600/PIC/BK_2.jpg
lib/kr4100/V600/StartC.jpg
lib/kr4100/V600/StartE.jpg
lib/kr4100/V600/kr4100
lib/kr4100/V600/kr4100-cli
lib/kr4100/V600/kr4100-cli-radio
lib/kr4100/V600/kr4100-sim
lib/kr4100/Version.ini
lib/kr4100/language/mysetup.ini
share/applications/kr4100.desktop
share/doc/kr4100/changelog.gz
share/doc/kr4100/copyright
share/icons/hicolor/scalable/apps/kr4100.svg
share/man/man1/kr4100-cli.1.gz
share/man/man1/kr4100-sim.1.gz
share/man/man1/kr4100.1.gz
share/metainfo/org.example.kr4100.metainfo.xml
share/mime/packages/kr4100.xml"
actual=$(cd "$prefix" && find . \( -type f -o -type l \) -printf '%P%l\n' | sed 's/\(^bin\/[^.]*\)\(\.\.\/\)/\1 -> \2/' | LC_ALL=C sort)
[ "$actual" = "$(LC_ALL=C sort <<<"$expected")" ] || {
  diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") >&2 || true
  fail "installed files differ from the layout (- expected, + installed)"
}
for f in "$prefix"/lib/kr4100/V600/kr4100{,-cli,-cli-radio,-sim}; do
  [ -x "$f" ] || fail "$f is not executable"
done
grep -qx 'Icon=kr4100' "$prefix/share/applications/kr4100.desktop" || fail "the menu entry names no icon"
# A fresh install starts from the template, not from a build tree the developer ran the program in.
cmp -s "$prefix/lib/kr4100/language/mysetup.ini" "$build/package/mysetup.ini" \
  || fail "the installed settings file is not the template"

echo "== file commands from bin/, started from elsewhere"
cd "$work"
"$prefix/bin/kr4100-cli" new new.dat
[ "$("$prefix/bin/kr4100-cli" check new.dat)" = "new.dat: OK" ] || fail "check of a new document"
# The installed templates are what `new` starts from.
"$prefix/bin/kr4100-cli" new --band 1 new1.dat
"$prefix/bin/kr4100-cli" diff new1.dat "$prefix/lib/kr4100/V600/Init/1_KR-4100_New.dat" >/dev/null \
  || fail "new --band 1 is not the installed band template"

echo "== radio command from bin/ against the installed virtual radio"
"$prefix/bin/kr4100-sim" >sim.out 2>sim.err &
sim_pid=$!
for _ in $(seq 50); do [ -s sim.out ] && break; sleep 0.1; done
device=$(head -n1 sim.out)
[ -n "$device" ] || fail "kr4100-sim printed no device"
timeout 60 "$prefix/bin/kr4100-cli" info --port "$device" >info.out 2>info.err \
  || { cat info.err >&2; fail "kr4100-cli info from the installation"; }
[ -s info.out ] || fail "info printed nothing"
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
sim_pid=""

echo "== a reinstall keeps the user's settings"
settings="$prefix/lib/kr4100/language/mysetup.ini"
printf 'CurrentLanguage=2\n' >>"$settings"
cp "$settings" settings.before
cmake --install "$build" --prefix "$prefix" >/dev/null
cmp -s "$settings" settings.before || fail "reinstalling replaced the user's settings file"

echo "== a folder the user cannot write: settings in the per-user folder"
cp "$build/package/mysetup.ini" "$settings"
home="$work/home"
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # Root writes anywhere; the installation is root's, so a user who is not finds it read-only.
  chown 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod -R a-w "$prefix"
fi
# A clean environment but for the sanitizers' settings, when the suite runs under them.
keep=()
for var in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -z "${!var:-}" ] || keep+=("$var=${!var}")
done
timeout 60 "${as_user[@]}" env -i "${keep[@]}" PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" \
  XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen \
  "$prefix/bin/kr4100" --screenshot "$home/main.png" >gui.out 2>&1 \
  || { cat gui.out >&2; fail "the installed kr4100 did not start from a read-only folder"; }
[ -s "$home/main.png" ] || fail "no main window"
cmp -s "$settings" "$build/package/mysetup.ini" || fail "the read-only installed settings file changed"
user_settings=$(find "$home/config" -name mysetup.ini)
[ -n "$user_settings" ] || fail "no settings file in the per-user folder"
tr -d '\r' <"$user_settings" | grep -qx 'IsFirstRun=0' || fail "the per-user settings file was not written"
echo "OK"
