#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Usage: ./test.sh [preset]
# (debug, release, asan; windows: the Windows build under wine; windows7: the
# same as on Windows 7 SP1; web: the page in WebAssembly, under node and in
# Chromium)
set -euo pipefail
cd "$(dirname "$0")"
preset=${1:-debug}
[ "$preset" = windows ] && exec tests/run-windows.sh
[ "$preset" = windows7 ] && TAVRO_ACT_AS_WINDOWS7=1 exec tests/run-windows.sh
[ "$preset" = web ] && exec tests/run-web.sh

build-aux/setup-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" --output-on-failure
