#!/usr/bin/env bash
# Start-up of the built program under Xvfb: the time from launch until the main window is
# mapped with its picture and painted (bench/wait_painted.c reads its image), median of 10
# starts, and the resident memory (now and at its peak). Where mtPaint is installed, it is
# started after each start of the program, with the same picture, and reported the same way.
# Usage: bench/startup.sh [PATH_TO_ZUDOZO [PICTURE]] (default build/src/app/zudozo and the white
# start picture; a picture is opened from the command line, e.g. a 4000x4000 photo PNG).
set -euo pipefail
program=${1:-build/src/app/zudozo}
picture=${2:-}
caption='^Zudozo  :32bit$'
[ -n "$picture" ] && caption="^Zudozo  .*$(basename "$picture"):32bit\$"
peer=$(command -v mtpaint || true)
peerCaption='^mtPaint .* - Untitled$'
[ -n "$picture" ] && peerCaption="^mtPaint .* - $(basename "$picture")\$"
runs=10
source "$(dirname "$0")/../tests/e2e/start_xvfb.sh"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
log=$(mktemp)
helper=$(mktemp)
trap 'kill $xvfb 2> /dev/null; rm -f "$log" "$helper"' EXIT
cc -O2 -o "$helper" "$(dirname "$0")/wait_painted.c" -lX11

# One start of $1 until its window captioned $2 is painted; the figures go to the arrays named
# after $3 (times_$3, mapped_$3, cpu_$3) and rss_$3, peak_$3. False for a start that ended
# without its window (it happens now and then under Xvfb): it is reported, not waited for.
start_once() {
  local program=$1 caption=$2 name=$3
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
  if ! kill -0 "$pid" 2> /dev/null; then
    echo "a start ended without its window: $(grep -v -e XDG_RUNTIME -e "^$" "$log" | head -n 1)"
    return 1
  fi
  eval "times_$name+=($(($(now_ms) - start)))"
  eval "mapped_$name+=($((mappedAt - start)))"
  # Processor time spent until then (user + system, in clock ticks): less sensitive to load.
  eval "cpu_$name+=($(awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / hz)}' "/proc/$pid/stat"))"
  sleep 0.5
  eval "rss_$name=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")"
  eval "peak_$name=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
  kill "$pid"
  wait "$pid" 2> /dev/null || true
  sleep 0.2  # the server drops the ended client before the next start connects
}

sorted() { printf '%s\n' "$@" | sort -n | tr '\n' ' '; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print (a[int((NR + 1) / 2)] + a[int(NR / 2) + 1]) / 2}'; }
# The figures gathered under name $1, headed by $2.
report() {
  local -n times=times_$1 mapped=mapped_$1 cpu=cpu_$1 rss=rss_$1 peak=peak_$1
  echo "$2: start-up to window shown and painted (ms, $runs runs): $(sorted "${times[@]}")"
  echo "median: $(median "${times[@]}") ms"
  echo "of which until mapped (ms): $(sorted "${mapped[@]}")"
  echo "processor time until shown (ms): $(sorted "${cpu[@]}"), median $(median "${cpu[@]}")"
  echo "resident memory after start: $((rss / 1024)) MiB, peak $((peak / 1024)) MiB"
}

times_program=() mapped_program=() cpu_program=() rss_program=0 peak_program=0
times_peer=() mapped_peer=() cpu_peer=() rss_peer=0 peak_peer=0
started=0
while [ "${#times_program[@]}" -lt "$runs" ] || { [ -n "$peer" ] && [ "${#times_peer[@]}" -lt "$runs" ]; }; do
  started=$((started + 1))
  [ "$started" -le $((runs * 2)) ] || exit 1
  [ "${#times_program[@]}" -ge "$runs" ] || start_once "$program" "$caption" program || true
  [ -z "$peer" ] || [ "${#times_peer[@]}" -ge "$runs" ] || start_once "$peer" "$peerCaption" peer || true
done
report program "$program"
if [ -n "$peer" ]; then
  report peer "$peer (in the same run, started after each of the above)"
else
  echo "mtPaint is not installed: no figures beside it"
fi
