#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what Windows shows of a program: its icon and its version resource (product, version,
# description, licence). Usage: check-windows-resources.sh PROGRAM.exe "FILE DESCRIPTION"
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$1
description=$2
version=$(sed -n 's/.*kProgramVersion = "\([0-9.]*\)".*/\1/p' src/core/settings/program_version.h)
fail() { echo "FAIL: $(basename "$exe"): $*" >&2; exit 1; }

resources=$(wrestool -l "$exe") || fail "no resources"
grep -q 'type=group_icon' <<<"$resources" || fail "no icon"
# The version block's strings are UTF-16, each name followed by its value.
strings_=$(wrestool -x --raw --type=16 "$exe" | strings -el)
value() { awk -v k="$1" 'found { print; exit } $0 == k { found = 1 }' <<<"$strings_"; }
expect() {
  local got
  got=$(value "$1")
  [ "$got" = "$2" ] || fail "$1 is \"$got\", not \"$2\""
}
expect ProductName "KR-4100 programming software"
expect ProductVersion "$version"
expect FileVersion "$version"
expect FileDescription "$description"
value LegalCopyright | grep -q 'GPL-3.0-or-later' || fail "the version resource names no licence"
echo "$(basename "$exe"): icon and version resource $version"
