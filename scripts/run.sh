#!/usr/bin/env bash
# Builds the program and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja > /dev/null
cmake --build build --target zudozo
exec ./build/src/app/zudozo "$@"
