#!/usr/bin/env bash
# End-to-end check of what a Windows user gets, under wine and Xvfb: the
# portable folder unzipped opens its window; the installer installs silently
# into a fresh wine prefix, with its Start menu entry and uninstaller; the
# installed program, driven as scripts/screenshot.sh drives the Linux one,
# gives the same results, and its screenshot shows a grid that lines up.
# Scale 2 runs the desktop at 192 dots per inch.
# Usage: scripts/screenshot-windows.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot-windows.png}
export SCALE=${2:-1}

scripts/package-windows.sh
scripts/setup-deps.sh unzip
source scripts/wine-env.sh
source scripts/window-driver.sh
prefix=$(mktemp -d)
use_wine_prefix "$prefix/wine"
start_display
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * SCALE)) /f >/dev/null 2>&1
wineserver --wait
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
