#!/usr/bin/env bash
# End-to-end: the window tests of the desktop clipboard on a virtual X server, exchanging
# pictures and text with xclip. Exits 77 (skipped) when Xvfb or xclip is not installed.
set -u
tests=${1:?usage: desktop_clipboard.sh PATH_TO_UI_TESTS}
for tool in Xvfb xclip; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/start_xvfb.sh"
trap 'kill "$xvfb" 2> /dev/null' EXIT
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
QT_QPA_PLATFORM=xcb "$tests" --gtest_filter='DesktopClipboard*'
