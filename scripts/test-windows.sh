#!/usr/bin/env bash
# Builds the Windows program and its tests with mingw-w64 and runs every test
# under wine with a Chinese locale. Qt for Windows is built on the first run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-qt-windows.sh
source scripts/wine-env.sh
source scripts/xvfb-display.sh
use_wine_prefix "$HOME/.cache/tavro/wine"
start_display
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
