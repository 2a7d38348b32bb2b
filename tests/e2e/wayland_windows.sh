#!/usr/bin/env bash
# End-to-end: the windows with real input under the compositors of the desktops, each shown in
# an X window on Xvfb that xdotool drives: GNOME's mutter (--nested), KDE's kwin_wayland and
# weston (their X11 backends), at output scale 1 and 2. Title-bar buttons of the windows, the
# palette's shape and keys, the keyboard's return to the main window, first placement.
# Usage: wayland_windows.sh PATH_TO_UI_TESTS mutter|kwin|weston SCALE [GTEST_FILTER]
# Exits 77 (skipped) when the compositor or a tool is not installed.
set -u
tests=${1:?usage: wayland_windows.sh PATH_TO_UI_TESTS COMPOSITOR SCALE}
compositor=${2:?}
scale=${3:-1}
program=$compositor
[ "$compositor" = kwin ] && program=kwin_wayland
for tool in "$program" Xvfb xdotool import; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ "$compositor" != weston ] && { command -v dbus-run-session > /dev/null || { echo "SKIP: no dbus-run-session"; exit 77; }; }
here=$(dirname "$0")
source "$here/start_weston.sh"
source "$here/poll.sh"
# The compositor's screen is 1024x768 points, so many X pixels per point at the scale.
XVFB_SCREEN="$((1024 * scale))x$((768 * scale))x24" source "$here/start_xvfb.sh"
compositor_pid=
# dbus-run-session does not pass its end on to mutter or kwin: both are ended, before stop_westons
# waits for what is left.
trap '[ -n "$compositor_pid" ] && { pkill -P "$compositor_pid"; kill "$compositor_pid"; } 2> /dev/null
      kill "$xvfb" 2> /dev/null; stop_westons' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export QT_QPA_PLATFORM=wayland ZUDOZO_EXPECT_PLATFORM=wayland ZUDOZO_COMPOSITOR="$compositor"

case "$compositor" in
  weston)
    # No on-screen keyboard over the windows, no panel.
    printf '[input-method]\npath=/bin/true\n[shell]\npanel-position=none\n' > "$XDG_RUNTIME_DIR/weston.ini"
    start_weston windows --config="$XDG_RUNTIME_DIR/weston.ini" --backend=x11-backend.so --use-pixman \
      --width=1024 --height=768 --scale="$scale" || exit 1
    ;;
  mutter)
    MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 MUTTER_DEBUG_DUMMY_MONITOR_SCALES="$scale" \
      dbus-run-session -- mutter --nested --no-x11 --wayland-display=windows > "$XDG_RUNTIME_DIR/mutter.log" 2>&1 &
    compositor_pid=$!
    poll 100 test -S "$XDG_RUNTIME_DIR/windows" || { echo "mutter did not start:"; cat "$XDG_RUNTIME_DIR/mutter.log"; exit 1; }
    ;;
  kwin)
    # KDE's kwin_wayland in a window on the X display. Its file capability (raising its own
    # limits) stops it from starting in a container, a copy without it runs; under that name,
    # or it does not find its own Qt platform.
    mkdir "$XDG_RUNTIME_DIR/kwin" && cp "$(command -v kwin_wayland)" "$XDG_RUNTIME_DIR/kwin/kwin_wayland"
    dbus-run-session -- "$XDG_RUNTIME_DIR/kwin/kwin_wayland" --x11-display "$DISPLAY" --width 1024 --height 768 \
      --scale "$scale" --socket windows > "$XDG_RUNTIME_DIR/kwin.log" 2>&1 &
    compositor_pid=$!
    poll 100 test -S "$XDG_RUNTIME_DIR/windows" || { echo "kwin_wayland did not start:"; cat "$XDG_RUNTIME_DIR/kwin.log"; exit 1; }
    ;;
esac
WAYLAND_DISPLAY=windows "$tests" --gtest_filter="${4:-WaylandWindows.*}"
status=$?
# What the compositor said, for a failed run.
[ "$status" -ne 0 ] && tail -n 20 "$XDG_RUNTIME_DIR"/*.log
exit "$status"
