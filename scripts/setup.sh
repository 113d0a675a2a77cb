#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, only those that are missing; with arguments,
# those packages instead.
set -euo pipefail

packages=("$@")
((${#packages[@]})) || packages=(build-essential cmake ninja-build pkg-config googletest libgtest-dev
          nlohmann-json3-dev libcli11-dev clang libclang-rt-dev
          qt6-base-dev qt6-serialport-dev qt6-translations-l10n
          fonts-noto-cjk xvfb xauth desktop-file-utils help2man
          python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  # A mirror that fails to answer the index may still serve the packages the old index names.
  "${sudo_cmd[@]}" apt-get update -qq || echo "setup.sh: the package index was not refreshed" >&2
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
