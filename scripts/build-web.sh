#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core for the web page: the core, the virtual radio and the binding in WebAssembly
# (Debian's emscripten), into build-web/site/kr4100_core.js + .wasm, checks the module in node,
# then builds the page itself when web/build.sh is there.
#   scripts/build-web.sh [--no-test]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# Only what is missing: a mirror that is down does not stop a machine that has it all.
bash scripts/setup.sh emscripten cmake ninja-build nodejs

# Debian's emscripten runs its JavaScript tools with node and finds their modules (acorn) where
# Debian keeps them; a node from elsewhere does not look there by itself.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

build="$root/build-web/wasm"
site="$root/build-web/site"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
generator=()
[ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
nice emcmake cmake -S "$root" -B "$build" "${generator[@]}" "${launcher[@]}" \
  -DKR4100_WEB=ON -DKR4100_WITH_QT=OFF -DKR4100_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DKR4100_WEB_SITE_DIR="$site" >/dev/null
nice cmake --build "$build" -j2

wasm="$site/kr4100_core.wasm"
size=$(stat -c %s "$wasm")
limit=$((2 * 1024 * 1024))
echo "kr4100_core.wasm: $size bytes (at most $limit)"
if ((size > limit)); then
  echo "build-web.sh: the module is larger than 2 MB" >&2
  exit 1
fi

if [ "${1:-}" != "--no-test" ]; then
  bash scripts/check-web-core.sh
fi
if [ -f web/build.sh ]; then
  bash web/build.sh
fi
