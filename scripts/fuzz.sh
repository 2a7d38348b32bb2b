#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from its saved corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DZUDOZO_FUZZ=ON -DZUDOZO_TESTS=OFF \
  -DZUDOZO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz --target fuzz_targets
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1200 \
    -print_final_stats=0 "$work" "$corpus" 2>&1 | tail -n 3
  rm -rf "$work"
done
