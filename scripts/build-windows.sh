#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles the core and kr4100-cli.exe (the file commands; no Qt) for 64-bit Windows with
# Debian's mingw-w64, into build-windows/. The band templates of the installation layout are
# made by the .exe itself, under wine, so the result is a complete KR-4100 folder for Windows:
#   build-windows/KR-4100/V600/kr4100-cli.exe
# With --gui: the desktop program instead, over a Windows Qt built from Debian's sources, with
# its installer, checked under wine (scripts/build-windows-gui.sh, scripts/check-windows-gui.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --gui ]; then
  bash scripts/build-windows-gui.sh
  exec bash scripts/check-windows-gui.sh
fi

bash scripts/setup.sh cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64 \
  nlohmann-json3-dev libcli11-dev librsvg2-bin icoutils

source scripts/wine-env.sh
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver --wait || true
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DKR4100_WITH_QT=OFF -DKR4100_BUILD_TESTS=OFF \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine "${launcher[@]}" >/dev/null
cmake --build build-windows -j"${JOBS:-2}"
echo "Built build-windows/KR-4100/V600/kr4100-cli.exe"
