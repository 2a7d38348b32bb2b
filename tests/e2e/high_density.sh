#!/usr/bin/env bash
# End-to-end: the pixel-art tests of the window tests on a virtual X server at scale factors 2
# and 1.5, on a screen big enough for the windows at 2 (the palette's outline is read back from
# the screen). Exits 77 (skipped) when Xvfb is not installed.
set -u
tests=${1:?usage: high_density.sh PATH_TO_UI_TESTS}
command -v Xvfb > /dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
XVFB_SCREEN=2048x1536x24 source "$(dirname "$0")/start_xvfb.sh"
trap 'kill "$xvfb" 2> /dev/null' EXIT
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for factor in 2 1.5; do
  echo "== scale factor $factor"
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$factor "$tests" --gtest_filter='HighDensity*' || exit 1
done
