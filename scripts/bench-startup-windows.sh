#!/usr/bin/env bash
# Launch to window under wine: for each tavro.exe given, the time from
# starting it until its window is on the screen, 10 rounds that alternate
# between the programs, with the median of each. Wine's server stays up
# between launches, as Windows does. Usage:
# scripts/bench-startup-windows.sh first/tavro.exe [second/tavro.exe...]
set -euo pipefail
cd "$(dirname "$0")/.."
programs=("$@")
build-aux/setup-deps.sh xdotool
cmake --build --preset windows --target clipboard_tool >/dev/null
tool=$PWD/build/windows/tests/clipboard_tool.exe
source build-aux/wine-env.sh
source build-aux/xvfb-display.sh
use_wine_prefix "$HOME/.cache/tavro/wine"
start_display
wineserver --persistent
trap '{ wineserver --kill; kill $(jobs -p); wait; } 2>/dev/null || true' EXIT
wine "$tool" read >/dev/null  # wine's own start-up, once

declare -A times
for round in $(seq 10); do
  for program in "${programs[@]}"; do
    start=$(date +%s%N)
    wine "$program" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name tavro >/dev/null 2>&1; do sleep 0.01; done
    elapsed=$((($(date +%s%N) - start) / 1000000))
    times[$program]+="$elapsed "
    wine "$tool" close >/dev/null
    wait "$pid" || true
  done
  echo "round $round done"
done
for program in "${programs[@]}"; do
  median=$(tr ' ' '\n' <<<"${times[$program]}" | grep . | sort -n | awk '{v[NR]=$1} END{print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}')
  echo "$program: launch to window, median of 10: $median ms (${times[$program]% })"
done
