#!/usr/bin/env bash
# A random session of any length on the real main window, built with AddressSanitizer,
# LeakSanitizer and UBSan (folder build-asan). Usage: scripts/soak.sh [ACTIONS] [SEED]
# Without a seed each run takes a new one; the seed is printed first, so a failing run can
# be repeated exactly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DZUDOZO_SANITIZE=ON -DZUDOZO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug > /dev/null
cmake --build build-asan --target zudozo_soak
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/e2e/lsan.supp"
exec ./build-asan/tests/zudozo_soak "${1:-20000}" ${2:+"$2"}
