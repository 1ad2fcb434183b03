#!/usr/bin/env bash
# Runs a command as root: as it is when we are root, through sudo when sudo
# needs no password; otherwise says what to run and fails.
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
  exec "$@"
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
  exec sudo "$@"
fi
echo "tavro: this needs root; run it as root: $*" >&2
exit 1
