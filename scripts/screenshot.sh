#!/usr/bin/env bash
# Drives the real window under Xvfb as a person would: pastes Chinese text
# into the input field, clicks 简→繁, checks what lands on the clipboard, and
# takes a screenshot. Usage: scripts/screenshot.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot.png}
scale=${2:-1}

scripts/setup-deps.sh xvfb xauth x11-utils imagemagick xdotool xclip
cmake --preset release >/dev/null
cmake --build --preset release --target tavro >/dev/null

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1000x700x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
export QT_SCALE_FACTOR=$scale
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
kill -0 "$xvfb"

build/release/app/tavro 2>/dev/null &
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name 'tavro' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot.sh: the window did not appear" >&2; exit 1; }
sleep 1

# The prompt in the input field is selected at start, so a paste replaces it.
input='东风夜放花千树，更吹落，星如雨。宝马雕车香满路。'
expected='東風夜放花千树，更吹落，星如雨。寶马雕車香满路。'
printf '%s' "$input" | xclip -selection clipboard -i
xdotool key ctrl+v
sleep 0.3
# The centre of 简→繁 (left 4800, top 2520, 1215 x 495 twips, 15 to a pixel).
xdotool mousemove "$(( (320 + 40) * scale ))" "$(( (168 + 16) * scale ))" click 1
sleep 0.5
published=$(xclip -selection clipboard -o)
if [ "$published" != "$expected" ]; then
  echo "screenshot.sh: the clipboard holds '$published', expected '$expected'" >&2
  exit 1
fi
echo "clipboard after 简→繁: $published"

mkdir -p "$(dirname "$output")"
import -window root -crop "$((412 * scale))x$((248 * scale))+0+0" +repage "$output"
echo "screenshot: $output"
