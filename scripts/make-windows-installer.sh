#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Windows installer of a KR-4100 folder laid out as installed, with NSIS
# (scripts/kr4100.nsi). Usage: make-windows-installer.sh ROOT OUTDIR; prints the installer's path.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(realpath "$1")
out=$(realpath "$2")
bash scripts/setup.sh nsis >&2
version=$(sed -n 's/.*kProgramVersion = "\([0-9.]*\)".*/\1/p' src/core/settings/program_version.h)
# The licence goes with the program, and the installer shows it before anything is installed.
cp -u LICENSE "$root/LICENSE.txt"
# The uninstaller deletes the installed files by name, listed here from the folder itself: never
# the settings file, and never a folder that still holds a user's file.
files="$out/installed-files.nsh"
(
  cd "$root"
  find . -type f ! -path ./language/mysetup.ini | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
) >"$files"
setup="$out/KR-4100-$version-setup.exe"
makensis -V2 -DROOT="$root" -DICON="$(dirname "$root")/windows/kr4100.ico" -DFILES="$files" -DVERSION="$version" -DLICENSE="$(realpath LICENSE)" \
  -DOUTFILE="$setup" scripts/kr4100.nsi >&2
echo "$setup"
