#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Usage: ./test.sh [preset]
set -euo pipefail
cd "$(dirname "$0")"
preset=${1:-debug}

scripts/setup-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" --output-on-failure
