#!/usr/bin/env bash
# End-to-end: the program native under a real Wayland compositor (weston). On the headless
# backend: the session test (windows, dialog, stroke, region menu, dropped file) and the pixel
# art. The headless backend has no seat, and Wayland's clipboard belongs to a seat, so the
# clipboard round trip with wl-copy and wl-paste runs on weston's X11 backend inside Xvfb,
# whose seat takes keys from xdotool. Every run checks that the Wayland platform is in use.
# Exits 77 (skipped) when one of the programs is not installed.
set -u
tests=${1:?usage: wayland_session.sh PATH_TO_UI_TESTS}
for tool in weston wl-copy wl-paste Xvfb xdotool; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
here=$(dirname "$0")
# The desktop entry leaves the choice of platform to the desktop.
if grep -q QT_QPA_PLATFORM "$here/../../packaging/zudozo.desktop"; then
  echo "the desktop entry forces a platform"; exit 1
fi
source "$here/start_weston.sh"
xvfb=
trap 'stop_westons; [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null' EXIT
# Leaks are the window tests' to find, offscreen: Qt's Wayland plugins, unloaded at the end,
# leave allocations that no suppression can name.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export QT_QPA_PLATFORM=wayland ZUDOZO_EXPECT_PLATFORM=wayland
unset DISPLAY

start_weston headless --backend=headless-backend.so || exit 1
WAYLAND_DISPLAY=headless "$tests" --gtest_filter='DesktopSession*:HighDensity*' || exit 1

source "$here/start_xvfb.sh"
start_weston seated --backend=x11-backend.so --use-pixman --width=1024 --height=768 || exit 1
WAYLAND_DISPLAY=seated "$tests" --gtest_filter='DesktopSession.*:DesktopClipboard.*'
