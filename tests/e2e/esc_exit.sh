#!/usr/bin/env bash
# End-to-end: starts the built program on a virtual X server, finds its main window by its
# caption, leaves a dot on the picture (the caption stays as it was), opens the zoom window
# (F9), the fractal settings (F10) and the coordinate bar (F11) beside the tool palette, presses
# Esc, answers "絵を保存しますか" with No and expects the program to end with exit code 0.
# Exits 77 (skipped) when Xvfb or xdotool is not installed.
set -u
program=${1:?usage: esc_exit.sh PATH_TO_ZUDOZO}
for tool in Xvfb xdotool; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

source "$(dirname "$0")/start_xvfb.sh"
zudozo=""
cleanup() {
  [ -n "$zudozo" ] && kill "$zudozo" 2> /dev/null
  kill "$xvfb" 2> /dev/null
  [ -n "${log:-}" ] && rm -f "$log"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $1"
  [ -n "${log:-}" ] && cat "$log"
  exit 1
}

# In sanitizer builds, leaks in the system's desktop-bus library are not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

source "$(dirname "$0")/poll.sh"

[ "$DISPLAY" != ":" ] || { fail "Xvfb did not start"; }
log=$(mktemp)
# Starts the program and waits for its main window. Xvfb now and then refuses a connection;
# a start that ends for that reason is made once more.
start_program() {
  "$program" > "$log" 2>&1 &
  zudozo=$!
  poll 300 bash -c "xdotool search --name '^Zudozo  :32bit\$' || ! kill -0 $zudozo"
  xdotool search --name '^Zudozo  :32bit$' > /dev/null 2>&1
}
start_program || { grep -q "could not connect to display" "$log" && start_program; } ||
  fail "no window 'Zudozo  :32bit'"
window=$(xdotool search --name '^Zudozo  :32bit$' | head -n 1)

focus() { xdotool windowfocus --sync "$1" 2> /dev/null || xdotool windowfocus "$1"; }
focus "$window"
# A click on the picture (placed 50 pixels into the canvas area, below the bars) leaves a dot.
xdotool mousemove --window "$window" 150 250 click 1
xdotool key F9 F10 F11
for title in Zoom rir Tools; do
  poll 50 xdotool search --onlyvisible --name "^$title\$" || { fail "no window '$title'"; }
done
# The keys came after the click: the dot is drawn by now, and the caption is the same.
[ "$(xdotool getwindowname "$window")" = "Zudozo  :32bit" ] || fail "the caption changed: $(xdotool getwindowname "$window")"
focus "$window"
xdotool key Escape
poll 50 xdotool search --name '^確認$' || { fail "Esc did not ask"; }
kill -0 "$zudozo" 2> /dev/null || { fail "the program ended before the answer"; }
question=$(xdotool search --name '^確認$' | head -n 1)
focus "$question"
xdotool key n  # "&No"

poll 50 bash -c "! kill -0 $zudozo" || { fail "the program did not end after No"; }
wait "$zudozo"
status=$?
zudozo=""
[ "$status" -eq 0 ] || { fail "exit code $status"; }
echo "PASS: with every window open, Esc asked and No ended the program"
