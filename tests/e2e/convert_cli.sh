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
# WebP, TIFF and GIF out and back to BMP; the two pixels stay red and blue.
for ext in webp tif gif; do
  run --convert "$work/out.png" "$work/out.$ext" || fail "png to $ext: exit $?"
  run --convert "$work/out.$ext" "$work/back-$ext.bmp" || fail "$ext to bmp: exit $?"
done
run --convert "$work/out.png" "$work/lossy.webp" --webp-quality 50 || fail "lossy webp: exit $?"
[ "$(head -c 4 "$work/out.webp")$(dd if="$work/out.webp" bs=1 skip=8 count=4 2> /dev/null)" = RIFFWEBP ] || fail "no WebP written"
[ "$(head -c 4 "$work/out.tif" | od -An -tx1 | tr -d ' ')" = 49492a00 ] || fail "no TIFF written"
[ "$(head -c 3 "$work/out.gif")" = GIF ] || fail "no GIF written"

# Failures: the program's message on stderr and exit code 1 (the messages themselves are
# tested in the core tests).
run --convert "$work/missing.bmp" "$work/x.bmp" 2> "$work/err"
[ $? -eq 1 ] && grep -q "は開けません" "$work/err" || fail "missing input: $(cat "$work/err")"

# An unknown option: the usage on stderr and exit code 2, before any window (there is no
# display to open one on).
run --bogus > "$work/out" 2> "$work/err"
[ $? -eq 2 ] && grep -q "^zudozo: unknown option --bogus$" "$work/err" && grep -q "^Usage: zudozo" "$work/err" &&
  [ ! -s "$work/out" ] || fail "--bogus: $(cat "$work/err")"

# A 17 x 17 bitmap of 289 colours, which GIF does not take.
byte() { printf "\\$(printf '%03o' "$1")"; }
le32() { byte $(($1 & 255)); byte $(($1 >> 8 & 255)); byte $(($1 >> 16 & 255)); byte $(($1 >> 24)); }
{
  printf 'BM'; le32 938; le32 0; le32 54; le32 40; le32 17; le32 17; byte 1; byte 0; byte 24; byte 0
  le32 0; le32 884; le32 0; le32 0; le32 0; le32 0
  for y in $(seq 0 16); do
    for x in $(seq 0 16); do byte $((x * 15)); byte $((y * 15)); byte 0; done
    byte 0
  done
} > "$work/many.bmp"
run --convert "$work/many.bmp" "$work/many.gif" 2> "$work/err"
[ $? -eq 1 ] && grep -q "GIF に保存できません" "$work/err" && [ ! -e "$work/many.gif" ] || fail "GIF of many colours: $(cat "$work/err")"
echo "PASS"
