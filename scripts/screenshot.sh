#!/usr/bin/env bash
# End-to-end check of the window on X11: drives the real program under Xvfb
# as a person would (pastes Chinese text, clicks 竖排 and 简→繁, checks what
# lands on the clipboard), takes a screenshot and checks that its 竖排 grid
# lines up. Usage: scripts/screenshot.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot.png}
export SCALE=${2:-1}

source scripts/window-driver.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tavro >/dev/null
start_display
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$SCALE drive_window "$output" build/release/app/tavro
