#!/usr/bin/env bash
# End-to-end: the built program converts pictures from the command line with no display at all
# (no DISPLAY, no Qt platform), ends with the right exit codes and writes its messages to stderr.
set -u
program=${1:?usage: convert_cli.sh PATH_TO_ZUDOZO}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $1"
  exit 1
}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }

run --version | grep -Eq '^zudozo [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version"
run --help | grep -q -- '--convert IN OUT' || fail "--help"

# A small bitmap, by hand: 2 x 1 pixels, 24 bits, red then blue.
printf 'BM\x3e\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x02\x00\x00\x00\x01\x00\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x08\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\xff\x00\x00\x00\x00' > "$work/in.bmp"
run --convert "$work/in.bmp" "$work/out.png" --png-level 3 --interlace || fail "bmp to png: exit $?"
[ "$(head -c 8 "$work/out.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no PNG written"
run --convert "$work/out.png" "$work/out.jpg" || fail "png to jpg: exit $?"
[ "$(head -c 2 "$work/out.jpg" | od -An -tx1 | tr -d ' ')" = ffd8 ] || fail "no JPEG written"

# Failures: the program's message on stderr and exit code 1 (the messages themselves are
# tested in the core tests).
run --convert "$work/missing.bmp" "$work/x.bmp" 2> "$work/err"
[ $? -eq 1 ] && grep -q "は開けません" "$work/err" || fail "missing input: $(cat "$work/err")"

# An unknown option: the usage on stderr and exit code 2, before any window (there is no
# display to open one on).
run --bogus > "$work/out" 2> "$work/err"
[ $? -eq 2 ] && grep -q "^zudozo: unknown option --bogus$" "$work/err" && grep -q "^Usage: zudozo" "$work/err" &&
  [ ! -s "$work/out" ] || fail "--bogus: $(cat "$work/err")"
echo "PASS"
