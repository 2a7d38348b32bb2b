# Sourced by scripts that need a Wayland compositor: start_weston NAME [weston options...]
# starts Debian's weston on the socket NAME in a private runtime folder (made once, mode 0700,
# in XDG_RUNTIME_DIR), waits for its socket and adds its process id to westons. stop_westons
# ends them and removes the folder.
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
westons=()
start_weston() {
  local name=$1
  shift
  weston --socket="$name" --idle-time=0 "$@" > "$XDG_RUNTIME_DIR/$name.log" 2>&1 &
  westons+=($!)
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$name" ] && return 0; sleep 0.1; done
  echo "weston did not start:"; cat "$XDG_RUNTIME_DIR/$name.log"
  return 1
}
stop_westons() {
  [ ${#westons[@]} -gt 0 ] && kill "${westons[@]}" 2> /dev/null
  wait "${westons[@]}" 2> /dev/null
  rm -rf "$XDG_RUNTIME_DIR"
}
