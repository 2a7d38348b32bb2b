#!/usr/bin/env bash
# Redraws every reference picture of this folder with the GDI reference tool (it needs Wine:
# apt-get install -y wine64 gcc-mingw-w64-x86-64). Each script saves its own NAME.bmp here.
set -euo pipefail
cd "$(dirname "$0")"
oracle=${GDI_ORACLE:-../../../../shared/tools/gdi-oracle/gdi-oracle}
for script in *.gdi; do
  "$oracle" "$script" > /dev/null
done
