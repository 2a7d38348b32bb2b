#!/usr/bin/env bash
# End-to-end: the built program on a virtual X server with QT_SCALE_FACTOR 2 and 1.5. The real
# pointer (xdotool) draws a freehand stroke; a screenshot of the screen (ImageMagick's import)
# must show the picture (taken from the desktop clipboard after 全コピー) with every picture
# pixel one uniform block of device pixels where the mapping puts it, and every place the
# pointer went must be black in the picture. Exits 77 (skipped) without the tools.
set -u
program=${1:?usage: canvas_scale.sh PATH_TO_ZUDOZO PATH_TO_SHOT_CHECK}
check=${2:?usage: canvas_scale.sh PATH_TO_ZUDOZO PATH_TO_SHOT_CHECK}
for tool in Xvfb xdotool import xclip; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
XVFB_SCREEN=1600x1400x24 source "$(dirname "$0")/start_xvfb.sh"
work=$(mktemp -d)
zudozo=""
cleanup() {
  [ -n "$zudozo" ] && kill "$zudozo" 2> /dev/null
  kill "$xvfb" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $1"
  [ -f "$work/log" ] && cat "$work/log"
  exit 1
}
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
source "$(dirname "$0")/poll.sh"

# factor, and the same as a ratio num/den of device pixels per picture pixel
for scale in "2 2 1" "1.5 3 2"; do
  read -r factor num den <<< "$scale"
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$factor "$program" > "$work/log" 2>&1 &
  zudozo=$!
  poll 300 xdotool search --name '^Zudozo  :32bit$' || fail "no main window at factor $factor"
  window=$(xdotool search --name '^Zudozo  :32bit$' | head -n 1)
  xdotool windowfocus --sync "$window" 2> /dev/null || xdotool windowfocus "$window"
  sleep 0.5
  xdotool key F12  # the tool palette stands over the canvas: hidden
  side=$(( (200 * num + den - 1) / den - 2 ))
  # On a busy machine the palette may take a while to go: look again until the picture shows.
  found=""
  for ((try = 0; try < 40; try++)); do
    sleep 0.25
    import -window root "$work/before.png" || fail "no screenshot"
    found=$("$check" find "$work/before.png" "$side") && break
    found=""
  done
  [ -n "$found" ] || fail "no white picture on the screen at factor $factor"
  read -r x0 y0 <<< "$found"

  # A stroke through device positions at every phase of the picture pixels.
  points=()
  xdotool mousemove $((x0 + 21)) $((y0 + 33)) mousedown 1
  points+=($((x0 + 21)) $((y0 + 33)))
  for step in $(seq 1 40); do
    x=$((x0 + 21 + 3 * step)) y=$((y0 + 33 + step + step / 3))
    xdotool mousemove "$x" "$y"
    points+=("$x" "$y")
    sleep 0.01
  done
  xdotool mouseup 1
  xdotool key ctrl+c
  poll 100 xclip -selection clipboard -t image/png -o || fail "no picture on the clipboard"
  xclip -selection clipboard -t image/png -o > "$work/picture.png" 2> /dev/null || fail "no picture on the clipboard"
  # The last repaint may still be on its way: the screen is looked at again for a while.
  shown=""
  for ((try = 0; try < 20; try++)); do
    import -window root "$work/after.png"
    "$check" check "$work/after.png" "$work/picture.png" "$x0" "$y0" "$num" "$den" "${points[@]}" > "$work/check" 2>&1 &&
      { shown=yes; break; }
    sleep 0.25
  done
  [ -n "$shown" ] || { cat "$work/check"; fail "the screen does not show the picture at factor $factor"; }
  kill "$zudozo"
  wait "$zudozo" 2> /dev/null
  zudozo=""
done
echo "PASS: the canvas shows the picture's pixels as blocks where the pointer drew, at factors 2 and 1.5"
