# Sourced by the end-to-end scripts: poll TRIES COMMAND... runs the command every tenth of a
# second until it succeeds, for up to TRIES tenths; its status says whether it did.
poll() {
  local tries=$1
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
