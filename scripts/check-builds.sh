#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two more ways to build the tree, each in a directory of its own:
#  - the core, the virtual radio and the command line's file commands with their tests, with Qt
#    left out altogether (nothing below the windows may need it);
#  - everything with CMake's default generator instead of Ninja.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKR4100_WITH_QT=OFF >/dev/null
cmake --build build-core -j2
ctest --test-dir build-core --output-on-failure -j2
cmake -S . -B build-make -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-make -j2
