#!/usr/bin/env bash
# End-to-end check of the window on X11: drives the real program under Xvfb
# as a person would (tests/e2e/window-driver.sh), takes a screenshot and
# checks that its 竖排 grid lines up, and that the window belongs to its menu
# entry. Usage: tests/e2e/x11-window.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/../.."
output=${1:-docs/screenshot.png}
scale=${2:-1}

source tests/e2e/window-driver.sh
build-aux/setup-deps.sh x11-utils
cmake --preset release >/dev/null
cmake --build --preset release --target tavro >/dev/null
use_x11
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale start_program build/release/app/tavro
drive_window
shot "$output" "$scale"
echo "screenshot: $output"
check_grid "$output" "$scale"

# The desktop ties the window to its menu entry by the class of WM_CLASS.
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
entry_class=$(sed -n 's/^StartupWMClass=//p' packaging/linux/net.tavro.tavro.desktop)
if [ -z "$wm_class" ] || [ "$wm_class" != "$entry_class" ]; then
  echo "x11-window.sh: the window's class is '$wm_class', the menu entry's StartupWMClass '$entry_class'" >&2
  exit 1
fi
echo "WM_CLASS class: $wm_class, as the menu entry says"
