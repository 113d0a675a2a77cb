#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web page in a real browser: Debian's chromium, headless, driven by playwright-core, against
# the site served by python3 -m http.server, with a serial port whose other end is the virtual
# radio in WebAssembly. KR4100_FAKE_CORE=1 tries the page against the TypeScript stand-in of the
# core instead (a separate site; the byte-exact checks are then skipped). KR4100_CLI names the
# desktop build's command line (kr4100-sim beside it, or KR4100_SIM), for the byte-exact checks.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

if ! dpkg -s chromium >/dev/null 2>&1 || [[ ! -x /usr/bin/chromium ]]; then
  # A mirror hiccup must not fail the check when the browser is there all the same.
  apt-get update || true
  apt-get install -y --no-install-recommends chromium || [[ -x /usr/bin/chromium ]]
fi

if [[ -f scripts/build-web.sh ]]; then
  bash scripts/build-web.sh
else
  bash web/build.sh
fi

site="$root/build-web/site"
if [[ "${KR4100_FAKE_CORE:-0}" == 1 ]]; then
  fake="$root/build-web/fake-site"
  rm -rf "$fake"
  mkdir -p "$fake"
  cp -r "$site"/. "$fake"/
  rm -f "$fake/kr4100_core.wasm"
  web/node_modules/.bin/esbuild web/tests/fake_core.ts --bundle --format=esm \
    --outfile="$fake/kr4100_core.js" --log-level=warning
  site="$fake"
fi
if [[ ! -f "$site/kr4100_core.js" ]]; then
  echo "check-web: no core module in $site (scripts/build-web.sh makes it)" >&2
  exit 1
fi

port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
  sleep 0.1
done

KR4100_URL="http://127.0.0.1:$port/" KR4100_SITE="$site" \
  KR4100_CLI="${KR4100_CLI:-$root/build/KR-4100/V600/kr4100-cli}" \
  KR4100_SIM="${KR4100_SIM:-$(dirname "${KR4100_CLI:-$root/build/KR-4100/V600/kr4100-cli}")/kr4100-sim}" \
  KR4100_FAKE_CORE="${KR4100_FAKE_CORE:-0}" \
  node web/tests/check_web.mjs
