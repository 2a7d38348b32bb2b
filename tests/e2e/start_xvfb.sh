# Sourced by scripts that need an X server: starts Xvfb on a free display, sets DISPLAY and
# leaves the server's process id in xvfb (the caller kills it when done). XVFB_SCREEN, if set,
# is the screen's size and depth (1024x768x24 otherwise). -noreset: by default the server
# starts over when its last client goes, and a program started in that moment finds no display.
numberfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3> "$numberfile" > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$numberfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$numberfile")"
rm -f "$numberfile"
