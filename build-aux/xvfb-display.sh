# An X display of our own under Xvfb, sourced by the scripts that run windows.
build-aux/setup-deps.sh xvfb

# Starts Xvfb on a display it finds free and exports DISPLAY; stops it on
# exit. Xvfb picks the number itself (-displayfd), so that a display already
# in use on the machine is never taken for ours.
start_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1000x700x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  local xvfb=$!
  trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
  for _ in $(seq 300); do
    [ -s "$number_file" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  local number
  number=$(tr -dc 0-9 <"$number_file")
  rm -f "$number_file"
  [ -n "$number" ] || { echo "xvfb-display: Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$number
}
