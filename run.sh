#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  exit 1
fi
build-aux/setup-deps.sh qt6-wayland
cmake --preset release >/dev/null
cmake --build --preset release --target tavro
exec build/release/app/tavro
