#!/usr/bin/env bash
# End-to-end: starts the built program on a virtual X server, finds its main window by its
# caption, presses Esc, answers "絵を保存しますか" with No and expects the program to end
# with exit code 0. Exits 77 (skipped) when Xvfb or xdotool is not installed.
set -u
program=${1:?usage: esc_exit.sh PATH_TO_ZUDOZO}
for tool in Xvfb xdotool; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

display=":$((200 + $$ % 700))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
zudozo=""
cleanup() {
  [ -n "$zudozo" ] && kill "$zudozo" 2> /dev/null
  kill "$xvfb" 2> /dev/null
}
trap cleanup EXIT
export DISPLAY=$display

# Polls a command for up to $1 tenths of a second.
poll() {
  local tries=$1
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

poll 50 xdotool getmouselocation || { echo "FAIL: Xvfb did not start"; exit 1; }
"$program" > /dev/null 2>&1 &
zudozo=$!
poll 100 xdotool search --name '^Zudozo  :32bit$' || { echo "FAIL: no window 'Zudozo  :32bit'"; exit 1; }
window=$(xdotool search --name '^Zudozo  :32bit$' | head -n 1)

xdotool windowfocus --sync "$window" 2> /dev/null || xdotool windowfocus "$window"
xdotool key Escape
poll 50 xdotool search --name '^確認$' || { echo "FAIL: Esc did not ask"; exit 1; }
kill -0 "$zudozo" 2> /dev/null || { echo "FAIL: the program ended before the answer"; exit 1; }
question=$(xdotool search --name '^確認$' | head -n 1)
xdotool windowfocus --sync "$question" 2> /dev/null || xdotool windowfocus "$question"
xdotool key n  # "&No"

poll 50 bash -c "! kill -0 $zudozo" || { echo "FAIL: the program did not end after No"; exit 1; }
wait "$zudozo"
status=$?
zudozo=""
[ "$status" -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
echo "PASS: Esc asked, No ended the program"
