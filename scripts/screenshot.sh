#!/usr/bin/env bash
# Drives the real window under Xvfb as a person would: pastes Chinese text
# into the input field, clicks 竖排 and 简→繁, checks what lands on the
# clipboard, and takes a screenshot. Usage: scripts/screenshot.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot.png}
export SCALE=${2:-1}

scripts/setup-deps.sh xvfb xauth x11-utils imagemagick xdotool xclip
cmake --preset release >/dev/null
cmake --build --preset release --target tavro >/dev/null

source scripts/window-driver.sh
start_display
QT_SCALE_FACTOR=$SCALE drive_window "$output" build/release/app/tavro
