#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the page into build-web/site/: the bundle, the page's static files, the service worker,
# the manifest and the icon. The core (kr4100_core.js + .wasm) is put there by build-web.sh.
set -euo pipefail
web="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$web")"
site="${KR4100_SITE:-$root/build-web/site}"
cd "$web"

# npm ci only when the installed tree does not match the lock file: a rebuild stays offline.
lock_sum="$(sha256sum package-lock.json | cut -d' ' -f1)"
if [[ ! -d node_modules || "$(cat node_modules/.kr4100-lock 2>/dev/null)" != "$lock_sum" ]]; then
  npm ci --no-audit --no-fund
  echo "$lock_sum" > node_modules/.kr4100-lock
fi

node_modules/.bin/tsc --noEmit -p .

mkdir -p "$site"
# The core is loaded at run time from beside the page, never bundled: it is built separately.
node_modules/.bin/esbuild src/main.ts --bundle --format=esm --target=chrome100 --minify \
  --sourcemap --external:./kr4100_core.js --outfile="$site/app.js" --log-level=warning
cp static/sw.js "$site/sw.js"
cp static/index.html static/style.css static/manifest.webmanifest "$site/"
cp "$root/data/kr4100.svg" "$site/icon.svg"
echo "page built in $site"
