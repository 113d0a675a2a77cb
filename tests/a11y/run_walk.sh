#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the accessibility walk: a display, a private D-Bus session and the accessibility bus of
# its own, the program from a copy of the build's installation (the walk changes its language
# setting), with the virtual radio as its port and writing to a group of radios offered.
# Usage: run_walk.sh BUILD_DIR
set -euo pipefail

build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Hard links for the programs and pictures; the settings file is a copy of its own.
cp -rl "$build/KR-4100" "$work/KR-4100"
rm -f "$work/KR-4100/language/mysetup.ini"
cp "$build/KR-4100/language/mysetup.ini" "$work/KR-4100/language/mysetup.ini"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"

# Xvfb picks a free display number and writes it once it takes connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
display=
for _ in $(seq 100); do
  display=$(tr -dc 0-9 <"$work/display")
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "$display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }

export DISPLAY=":$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
export XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
# A Chinese system, so that the language dialog offers Chinese; the program starts in English
# or, on a build's first run, in the system's language: the walk takes either.
export LANG=zh_CN.UTF-8 LC_ALL=
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$0/bus.log" 2>&1 &
  bus=$!
  "$0/KR-4100/V600/kr4100" --service --group-write --port "Virtual radio" >"$0/app.log" 2>&1 &
  app=$!
  status=0
  timeout 240 /usr/bin/python3 "${WALKER:-$1}" || status=$?
  if ! kill -0 "$app" 2>/dev/null; then
    echo "the program ended during the walk:"; cat "$0/app.log"; status=1
  fi
  kill "$app" 2>/dev/null; wait "$app" 2>/dev/null
  kill "$bus" 2>/dev/null; wait "$bus" 2>/dev/null
  exit $status
' "$work" "$here/walk_windows.py"
