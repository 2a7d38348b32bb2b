#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from its saved corpus, and reports the executions per second.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DZUDOZO_FUZZ=ON -DZUDOZO_TESTS=OFF \
  -DZUDOZO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz --target fuzz_targets
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  log=$(mktemp)
  echo "== $name for ${seconds}s"
  status=0
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1200 \
    -print_final_stats=1 "$work" "$corpus" > "$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    rm -rf "$work" "$log"
    echo "$name: a finding after ${runs:-?} executions"
    exit "$status"
  fi
  echo "$name: ${runs:-?} executions in ${time:-$seconds} s ($(( ${runs:-0} / (${time:-$seconds} > 0 ? ${time:-$seconds} : 1) )) per second), no finding"
  rm -rf "$work" "$log"
done
