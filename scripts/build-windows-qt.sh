#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles, for 64-bit Windows with Debian's mingw-w64, the part of Qt that the desktop
# program uses, from Debian's own source packages of the Qt the Linux build uses (same version,
# so the host's moc, rcc and uic serve both). Only the modules the program links, the windows
# platform plugin, the Vista style and the image plugins; no tests, examples, OpenGL, network,
# SQL or D-Bus. The result is kept outside the tree and reused while its recipe is unchanged:
#   $KR4100_WINDOWS_QT_CACHE/qt-<version>-mingw64   (default /var/cache/kr4100-windows-qt)
# Prints that folder on its last line.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

default_cache=/var/cache/kr4100-windows-qt
[ "$(id -u)" -eq 0 ] || default_cache="${XDG_CACHE_HOME:-$HOME/.cache}/kr4100-windows-qt"
cache="${KR4100_WINDOWS_QT_CACHE:-$default_cache}"
jobs="${JOBS:-2}"

bash scripts/setup.sh dpkg-dev perl cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
  qt6-base-dev qt6-base-dev-tools

version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
upstream="${version%%+*}"
upstream="${upstream%%-*}"
prefix="$cache/qt-$upstream-mingw64"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Source packages come from the suites the binary packages come from.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version"; then
  debsrc=/etc/apt/sources.list.d/kr4100-deb-src.sources
  echo "Adding the source packages of the system's suites ($debsrc)"
  sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo_cmd[@]}" tee "$debsrc" >/dev/null
  "${sudo_cmd[@]}" apt-get update -qq
fi

# apt-get source, each package in its own folder; unpacked (Debian's patches applied) once.
fetch() {  # package version folder
  local dir="$cache/src/$1-$2"
  if [ ! -f "$dir/.unpacked" ]; then
    mkdir -p "$dir"
    if ! (cd "$dir" && apt-get source -qq --download-only "$1=$2" >&2); then
      echo "The source package $1 $2 cannot be fetched from this system's Debian mirrors;" \
           "the Windows Qt needs it." >&2
      return 1
    fi
    rm -rf "$dir/tree"
    dpkg-source --no-check -x "$dir/$1_${2#*:}.dsc" "$dir/tree" >/dev/null
    touch "$dir/.unpacked"
  fi
  echo "$dir/tree"
}

common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw64-qt.cmake"
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
        -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF)
# Bundled copies of zlib, libpng, libjpeg, PCRE2, HarfBuzz and double-conversion: the DLLs then
# need nothing but Windows. Debian's source leaves out the Wintab headers, hence no tablet events.
# Direct2D stays on: without it QtGui leaves out the DirectWrite font engine that the Windows print
# engine calls; only its platform plugin (direct2d1_1) is left out. Symbol versions are for ELF:
# a DLL exports what is marked for export, so no linker version scripts.
base_options=(-DFEATURE_pkg_config=OFF -DHAVE_LD_VERSION_SCRIPT=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
  -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF
  -DFEATURE_androiddeployqt=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_jpeg=ON -DFEATURE_png=ON)

# A module is built again from nothing when its source version, its options or the toolchain
# change; otherwise the installed one stands.
recipe() {  # version options...
  printf '%s\n' "$@" | cat - cmake/toolchain-mingw64.cmake cmake/toolchain-mingw64-qt.cmake \
    | sha256sum | cut -c1-16
}
module() {  # name source-package version options...
  local name=$1 package=$2 ver=$3
  shift 3
  local stamp="$prefix/.$name" want
  want="$(recipe "$ver" "$@")"
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && return 0
  local src t0
  src="$(fetch "$package" "$ver")" || return 1
  t0=$(date +%s)
  # A build that stopped half-way goes on from where it was.
  echo "$name: configuring ($(date -u +%T))"
  cmake -S "$src" -B "$cache/build/$name" "${common[@]}" "$@" >"$cache/configure-$name.log" 2>&1 \
    || { tail -40 "$cache/configure-$name.log"; return 1; }
  echo "$name: building ($(date -u +%T))"
  cmake --build "$cache/build/$name" -j"$jobs"
  cmake --install "$cache/build/$name" >/dev/null
  rm -rf "$cache/build/$name"
  echo "$name $(($(date +%s) - t0))s with $jobs jobs, $(date -u +%F)" >>"$cache/build-times.log"
  echo "$want" >"$stamp"
}

base_version="$version"
if [ ! -f "$prefix/.qtbase" ] || [ "$(cat "$prefix/.qtbase")" != "$(recipe "$base_version" "${base_options[@]}")" ]; then
  rm -rf "$prefix"  # whatever was built over another qtbase goes with it
fi
module qtbase qt6-base "$base_version" "${base_options[@]}"
echo "$prefix"
