#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop program for 64-bit Windows (bash scripts/build-windows.sh --gui): Qt cross-built
# from Debian's sources (scripts/build-windows-qt.sh, cached outside the tree), then the whole
# program over it into build-windows-gui/, as the installation lays it out:
#   build-windows-gui/KR-4100/{Version.ini, language/mysetup.ini}
#   build-windows-gui/KR-4100/V600/{kr4100.exe, kr4100-cli.exe, Init/, PIC/,
#                                   StartE.jpg, StartC.jpg, the Qt and compiler DLLs, plugins/,
#                                   translations/, qt.conf}
# and the installer build-windows-gui/KR-4100-<version>-setup.exe.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

bash scripts/setup.sh cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64 \
  nlohmann-json3-dev libcli11-dev qt6-translations-l10n nsis librsvg2-bin icoutils
qt="$(bash scripts/build-windows-qt.sh | tail -n 1)"

source scripts/wine-env.sh
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver --wait || true
fi

# The build runs its own programs (templates, pictures) under wine: they find Qt's and the
# compiler's DLLs through WINEPATH.
mingw_runtime=(/usr/lib/gcc/x86_64-w64-mingw32/*-posix/libstdc++-6.dll
               /usr/lib/gcc/x86_64-w64-mingw32/*-posix/libgcc_s_seh-1.dll
               /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)
wine_dir() { printf 'Z:%s' "${1//\//\\}"; }
WINEPATH="$(wine_dir "$qt/bin");$(wine_dir "$(dirname "${mingw_runtime[0]}")");$(wine_dir /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
export KR4100_WINDOWS_QT="$qt"

out=build-windows-gui
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64-qt.cmake \
  -DCMAKE_BUILD_TYPE=Release -DKR4100_BUILD_TESTS=OFF -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
  "${launcher[@]}" >/dev/null
cmake --build "$out" -j"${JOBS:-2}" --target kr4100 kr4100-cli kr4100-install-layout

root="$out/KR-4100"
program="$root/V600"
# Qt's files beside the program, as Windows looks for DLLs in the program's folder; qt.conf puts
# Qt's prefix there too, so plugins/ and translations/ are found beside it.
# The serial line is the program's own over the Win32 API, as kr4100-cli.exe's: no Qt module for it.
for module in Core Gui Widgets PrintSupport; do
  cp -u "$qt/bin/Qt6$module.dll" "$program/"
done
cp -u "${mingw_runtime[@]}" "$program/"
for plugin in platforms/qwindows styles/qwindowsvistastyle imageformats/qjpeg; do
  mkdir -p "$program/plugins/${plugin%/*}"
  cp -u "$qt/plugins/$plugin.dll" "$program/plugins/${plugin%/*}/"
done
mkdir -p "$program/translations"
cp -u /usr/share/qt6/translations/qtbase_zh_CN.qm "$program/translations/"
printf '[Paths]\nPrefix = .\n' >"$program/qt.conf"

setup="$(bash scripts/make-windows-installer.sh "$root" "$out")"
echo "Built $program/kr4100.exe and $setup"
