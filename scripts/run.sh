#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the desktop program from its installation layout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/KR-4100/V600/kr4100 "$@"
