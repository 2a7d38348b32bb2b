#!/usr/bin/env bash
# Start-up of the built program under Xvfb: the time from launch until the main window is
# mapped with its picture and painted (bench/wait_painted.c reads its image), median of 10
# starts, and the resident memory (now and at its peak).
# Usage: bench/startup.sh [PATH_TO_ZUDOZO [PICTURE]] (default build/src/app/zudozo and the white
# start picture; a picture is opened from the command line, e.g. a 4000x4000 photo PNG).
set -euo pipefail
program=${1:-build/src/app/zudozo}
picture=${2:-}
caption='^Zudozo  :32bit$'
[ -n "$picture" ] && caption="^Zudozo  .*$(basename "$picture"):32bit\$"
runs=10
source "$(dirname "$0")/../tests/e2e/start_xvfb.sh"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
times=()
mapped=()
cpu=()
rss=0
peak=0
log=$(mktemp)
helper=$(mktemp)
trap 'kill $xvfb 2> /dev/null; rm -f "$log" "$helper"' EXIT
cc -O2 -o "$helper" "$(dirname "$0")/wait_painted.c" -lX11
# A start whose connection to the X server fails (it happens now and then under Xvfb) ends
# without a window; it is reported and started again rather than waited for.
started=0
while [ "${#times[@]}" -lt "$runs" ]; do
  start=$(now_ms)
  "$program" ${picture:+"$picture"} > "$log" 2>&1 &
  pid=$!
  window=
  until window=$(xdotool search --onlyvisible --name "$caption" 2> /dev/null); do
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.01
  done
  mappedAt=$(now_ms)
  [ -z "$window" ] || "$helper" "$(echo "$window" | head -n 1)" || echo "a window was not painted in time"
  started=$((started + 1))
  if ! kill -0 "$pid" 2> /dev/null; then
    echo "a start ended without its window: $(grep -v -e XDG_RUNTIME -e "^$" "$log" | head -n 1)"
    [ "$started" -lt $((runs * 2)) ] || exit 1
    continue
  fi
  times+=($(($(now_ms) - start)))
  mapped+=($((mappedAt - start)))
  # Processor time spent until then (user + system, in clock ticks): less sensitive to load.
  cpu+=($(awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / hz)}' "/proc/$pid/stat"))
  sleep 0.5
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2> /dev/null || true
  sleep 0.2  # the server drops the ended client before the next start connects
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {print (a[int((NR + 1) / 2)] + a[int(NR / 2) + 1]) / 2}')
echo "start-up to window shown and painted (ms, $runs runs): $sorted"
echo "median: $median ms"
echo "of which until mapped (ms): $(printf '%s\n' "${mapped[@]}" | sort -n | tr '\n' ' ')"
echo "processor time until shown (ms): $(printf '%s\n' "${cpu[@]}" | sort -n | tr '\n' ' ')"
echo "resident memory after start: $((rss / 1024)) MiB, peak $((peak / 1024)) MiB"
