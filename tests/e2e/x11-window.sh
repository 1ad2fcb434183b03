#!/usr/bin/env bash
# End-to-end check of the window on X11: drives the real program under Xvfb
# as a person would (pastes Chinese text, clicks 竖排 and 简→繁, checks what
# lands on the clipboard), takes a screenshot and checks that its 竖排 grid
# lines up. Usage: tests/e2e/x11-window.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/../.."
output=${1:-docs/screenshot.png}
export SCALE=${2:-1}

source tests/e2e/window-driver.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tavro >/dev/null
start_display
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$SCALE drive_window "$output" build/release/app/tavro

# The desktop ties the window to its menu entry by the class of WM_CLASS.
build-aux/setup-deps.sh x11-utils
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
entry_class=$(sed -n 's/^StartupWMClass=//p' packaging/linux/net.tavro.tavro.desktop)
if [ -z "$wm_class" ] || [ "$wm_class" != "$entry_class" ]; then
  echo "x11-window.sh: the window's class is '$wm_class', the menu entry's StartupWMClass '$entry_class'" >&2
  exit 1
fi
echo "WM_CLASS class: $wm_class, as the menu entry says"
