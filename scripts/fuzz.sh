#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for a bounded time: the seconds per target
# come from the first argument, else FUZZ_SECONDS, else 30. Each target starts from the corpus kept
# under fuzz/corpus/<target> (copied, so a run never adds to the repository's copy) and from seeds
# made by this build. Any crash, sanitizer report, leak or time-out fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-30}}
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [SECONDS per target]" >&2; exit 2; }
bash scripts/setup.sh
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKR4100_FUZZ=ON -DKR4100_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_data_file fuzz_ini fuzz_unpack_image fuzz_session kr4100-cli

# The working corpus starts afresh from the repository's, then gets seeds from this build: a new
# data file, its image, and the two INI files the installation carries.
rm -rf build-fuzz/corpus
mkdir -p build-fuzz/corpus
for dir in fuzz/corpus/fuzz_*/; do
  cp -r "$dir" build-fuzz/corpus/
done
mkdir -p build-fuzz/corpus/fuzz_data_file build-fuzz/corpus/fuzz_ini
build-fuzz/KR-4100/V600/kr4100-cli new --no-template build-fuzz/corpus/fuzz_data_file/new.dat
cp data/Version.ini.in data/mysetup.ini.in build-fuzz/corpus/fuzz_ini/
mkdir -p build-fuzz/corpus/fuzz_unpack_image
build-fuzz/KR-4100/V600/kr4100-cli pack build-fuzz/corpus/fuzz_data_file/new.dat \
  build-fuzz/corpus/fuzz_unpack_image/new.img

for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  log="build-fuzz/$name.log"
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/$name-" "build-fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "$name found a problem; the input is under build-fuzz/$name-*" >&2
    exit 1
  fi
  tail -n 12 "$log"
done
