#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and makes the Debian package build/package/kr4100_*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cpack --config build/CPackConfig.cmake -B build/package >/dev/null
ls build/package/*.deb
