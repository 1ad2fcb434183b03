# An X display of our own under Xvfb, sourced by the scripts that run windows.
scripts/setup-deps.sh xvfb xauth x11-utils

# Starts Xvfb on a free display and exports DISPLAY; stops it on exit.
start_display() {
  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1000x700x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  export DISPLAY=$display
  trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  kill -0 "$xvfb"
}
