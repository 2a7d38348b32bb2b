#!/usr/bin/env bash
# The installed program: installs the build into a scratch root as the package would, checks
# the layout, validates the desktop entry and the Debian package (lintian: no errors), and
# starts the installed binary under Xvfb with a picture named the way a file manager names
# it (an absolute path with a space). Exits 77 (skipped) when a needed tool is missing.
set -u
build=${1:?usage: package.sh BUILD_DIR PICTURE}
picture=${2:?usage: package.sh BUILD_DIR PICTURE}
for tool in desktop-file-validate lintian cpack Xvfb xdotool; do
  command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
zudozo=""
cleanup() {
  [ -n "$zudozo" ] && kill "$zudozo" 2> /dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2> /dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $1"
  exit 1
}

root="$scratch/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr > /dev/null || fail "cmake --install"
expected=(
  usr/bin/zudozo
  usr/share/applications/zudozo.desktop
  usr/share/icons/hicolor/scalable/apps/zudozo.svg
  usr/share/man/man1/zudozo.1.gz
  usr/share/doc/zudozo/copyright
  usr/share/doc/zudozo/changelog.gz
  usr/share/doc/zudozo/help/index.html
  usr/share/doc/zudozo/help/windows/TForm1.png
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/zudozo.png")
done
for file in "${expected[@]}"; do
  [ -s "$root/$file" ] || fail "not installed: /$file"
done
[ -x "$root/usr/bin/zudozo" ] || fail "the program is not executable"
gzip -t "$root/usr/share/man/man1/zudozo.1.gz" || fail "the manual page is not a gzip file"
zcat "$root/usr/share/man/man1/zudozo.1.gz" | grep -q '^\.TH ZUDOZO 1' || fail "the manual page has no title"

desktop="$root/usr/share/applications/zudozo.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'MimeType=image/png;image/bmp;image/jpeg;image/webp;image/tiff;image/gif;image/x-tga;' "$desktop" || fail "MimeType"
grep -qx 'Exec=zudozo %f' "$desktop" || fail "Exec"

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" > cpack.log 2>&1) ||
  { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/pkg/zudozo_*.deb)
lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' > "$scratch/lintian.log"
cat "$scratch/lintian.log"
! grep -q '^E:' "$scratch/lintian.log" || fail "lintian reports errors"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt"
for lib in libwebp7 libtiff6 libgif7; do
  dpkg-deb -f "$deb" Depends | grep -q "$lib" || fail "the package does not depend on $lib"
done

# The installed program opens the picture a file manager hands it.
mkdir -p "$scratch/My Pictures"
cp "$picture" "$scratch/My Pictures/a picture.png"
source "$(dirname "$0")/start_xvfb.sh"
"$root/usr/bin/zudozo" "$scratch/My Pictures/a picture.png" > "$scratch/run.log" 2>&1 &
zudozo=$!
title="^Zudozo  $scratch/My Pictures/a picture.png:32bit\$"
for _ in $(seq 300); do
  xdotool search --name "$title" > /dev/null 2>&1 && break
  kill -0 "$zudozo" 2> /dev/null || break
  sleep 0.1
done
window=$(xdotool search --name "$title" 2> /dev/null | head -n 1)
[ -n "$window" ] || { cat "$scratch/run.log"; fail "no window '$title'"; }
xdotool windowfocus --sync "$window" 2> /dev/null || xdotool windowfocus "$window"
xdotool key shift+Escape
for _ in $(seq 50); do kill -0 "$zudozo" 2> /dev/null || break; sleep 0.1; done
wait "$zudozo" || fail "the installed program ended with an error"
zudozo=""
echo "PASS: installed layout, desktop entry, package and the installed program opening a picture"
