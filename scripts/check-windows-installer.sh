#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows installer under wine: installed silently for all users and then for the user
# alone (/CurrentUser), every file of the folder it was made from is installed, with the
# Start-menu entry, the .dat association and the entry Windows' installed-programs list reads
# (name, version, publisher, icon, size, uninstall command); its uninstaller removes what it
# installed and its entries, but keeps the user's settings and data files.
# Usage: check-windows-installer.sh SETUP.exe ROOT   (ROOT: the folder the installer was made from)
set -euo pipefail
cd "$(dirname "$0")/.."
setup=$1
root=$(realpath "$2")
source scripts/wine-env.sh
version=$(sed -n 's/.*kProgramVersion = "\([0-9.]*\)".*/\1/p' src/core/settings/program_version.h)
fail() { echo "FAIL: installer: $*" >&2; exit 1; }

# One value of a registry key as wine's reg prints it: "    name    REG_SZ    value".
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

check_mode() {
  local mode=$1 hive=$2 target=$3 menu_win=$4
  local target_unix menu key
  target_unix="$(winepath -u "$target" 2>/dev/null)"
  menu="$(winepath -u "$menu_win" 2>/dev/null)/KR-4100"
  key="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KR-4100"
  rm -rf "$target_unix"
  wine "$setup" /S "/$mode" "/D=$target" >/dev/null 2>&1 || fail "$mode: the installer exited with $?"
  wineserver --wait || true

  (cd "$root" && find . -type f -printf '%P\n') | while read -r f; do
    [ -f "$target_unix/$f" ] || fail "$mode: not installed: $f"
  done
  [ -f "$target_unix/Uninstall.exe" ] || fail "$mode: no uninstaller"
  [ -f "$menu/KR-4100.lnk" ] || fail "$mode: no Start-menu entry in $menu"
  wine reg query "$hive\\Software\\Classes\\KR4100.DataFile\\shell\\open\\command" 2>/dev/null \
    | grep -q 'kr4100.exe" "%1"' || fail "$mode: .dat is not opened with the program"

  [ "$(reg_value "$key" DisplayName)" = "KR-4100 programming software" ] || fail "$mode: DisplayName"
  [ "$(reg_value "$key" DisplayVersion)" = "$version" ] || fail "$mode: DisplayVersion"
  [ "$(reg_value "$key" Publisher)" = "KR-4100 programming software developers" ] || fail "$mode: Publisher"
  reg_value "$key" DisplayIcon | grep -q 'V600\\kr4100.exe,0$' || fail "$mode: DisplayIcon"
  reg_value "$key" UninstallString | grep -q 'Uninstall.exe" /' || fail "$mode: UninstallString"
  local size
  size=$(reg_value "$key" EstimatedSize)
  [ -n "$size" ] && [ $((size)) -gt 0 ] || fail "$mode: EstimatedSize is \"$size\""
  echo "installer, $mode: files, Start menu, .dat, and the installed-programs entry (size $((size)) KB)"

  # What the user made there must outlive the uninstaller; everything installed must not.
  echo "CurrentLanguage=2" >>"$target_unix/language/mysetup.ini"
  cp "$root/Version.ini" "$target_unix/my-radio.dat"
  wine "$target_unix/Uninstall.exe" /S "/$mode" "_?=$target" >/dev/null 2>&1 || fail "$mode: the uninstaller exited with $?"
  wineserver --wait || true
  rm -f "$target_unix/Uninstall.exe"  # run in place (_?=), it cannot delete itself
  local left
  left="$(cd "$target_unix" && find . -type f | LC_ALL=C sort | tr '\n' ' ')"
  [ "$left" = "./language/mysetup.ini ./my-radio.dat " ] || fail "$mode: left after uninstalling: $left"
  grep -q "CurrentLanguage=2" "$target_unix/language/mysetup.ini" || fail "$mode: the user's settings were not kept"
  [ ! -e "$menu" ] || fail "$mode: the Start-menu entry is still there"
  if wine reg query "$hive\\Software\\Classes\\KR4100.DataFile" >/dev/null 2>&1; then fail "$mode: the .dat association is still there"; fi
  if wine reg query "$key" >/dev/null 2>&1; then fail "$mode: the installed-programs entry is still there"; fi
  rm -rf "$target_unix"
}

check_mode AllUsers HKLM 'C:\KR-4100-check' 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
check_mode CurrentUser HKCU 'C:\KR-4100-check-user' \
  "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs"
echo "Windows installer: all checks passed"
