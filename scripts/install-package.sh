#!/usr/bin/env bash
# Builds the program, makes its Debian package and installs it (with the libraries it needs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DZUDOZO_TESTS=OFF -DZUDOZO_BENCH=OFF > /dev/null
cmake --build build-package
(cd build-package && cpack -G DEB)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get install -y "$(ls "$PWD"/build-package/zudozo_*.deb)"
