#!/usr/bin/env bash
# Checks what a Windows user gets, under wine and Xvfb: the portable folder
# unzipped opens its window; the installer installs silently into a fresh
# wine prefix, with its Start menu entry and uninstaller; the installed
# program, driven as scripts/screenshot.sh drives the Linux one, gives the
# same results. Then takes a screenshot.
# Usage: scripts/screenshot-windows.sh [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot-windows.png}

scripts/package-windows.sh
scripts/setup-deps.sh unzip
source scripts/wine-env.sh
source scripts/window-driver.sh
prefix=$(mktemp -d)
use_wine_prefix "$prefix/wine"
start_display
trap '{ wineserver --kill; kill $(jobs -p); wait; rm -rf "$prefix"; } 2>/dev/null' EXIT

unzip -q "$(ls build/windows/tavro-*-win64.zip)" -d "$prefix"
start_program wine "$prefix"/tavro-*-win64/tavro.exe
echo "the portable folder opens its window"
wineserver --kill

installer=$(ls build/windows/tavro-*-win64.exe)
wine "$installer" /S
wineserver --wait
programs="$WINEPREFIX/drive_c/Program Files/tavro"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/tavro字符工具"
for file in "$programs/tavro.exe" "$programs/platforms/qwindows.dll" "$programs/Uninstall.exe" \
    "$menu/tavro字符工具.lnk"; do
  [ -f "$file" ] || { echo "screenshot-windows.sh: the installer did not install $file" >&2; exit 1; }
done
echo "installed silently: $programs"

drive_window "$output" wine "$programs/tavro.exe"
