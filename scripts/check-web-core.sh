#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the node test of the WebAssembly core (build it first with scripts/build-web.sh). The
# radio's memory after a write is compared with what the desktop build's kr4100-cli packs for
# the same document: KR4100_CLI names that program, by default the one in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${KR4100_CLI:-$(pwd)/build/KR-4100/V600/kr4100-cli}"
node web/tests/core_node_test.mjs build-web/site "$cli"
