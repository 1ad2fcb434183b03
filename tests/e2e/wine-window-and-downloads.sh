#!/usr/bin/env bash
# End-to-end check of what a Windows user gets, under wine and Xvfb: the
# portable zip holds one program and its licences; that program, copied alone
# into an empty folder, is driven as tests/e2e/x11-window.sh drives the Linux
# one, gives the same results, and its screenshot shows a grid that lines up;
# closing the window leaves the last result on the clipboard. The installer
# installs silently into a fresh wine prefix, with its Start menu entry and
# uninstaller, and the installed program starts; on Windows Vista the
# installer refuses, changing nothing.
# Scale 2 runs the desktop at 192 dots per inch. With TAVRO_ACT_AS_WINDOWS7=1
# all of it runs as on Windows 7 SP1: wine says it is Windows 7, and tavro.exe
# uses its own replacements for what Windows 7 lacks.
# Usage: tests/e2e/wine-window-and-downloads.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/../.."
output=${1:-docs/screenshot-windows.png}
scale=${2:-1}

scripts/package-windows.sh
build-aux/setup-deps.sh unzip
source build-aux/wine-env.sh
source tests/e2e/window-driver.sh
prefix=$(mktemp -d)
use_wine_prefix "$prefix/wine"
use_x11
wine_setup wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale)) /f >/dev/null 2>&1
if [ "${TAVRO_ACT_AS_WINDOWS7:-}" = 1 ]; then
  wine_setup wine winecfg -v win7
  echo "as on Windows 7 SP1"
fi
wineserver --wait
trap '{ wineserver --kill; kill $(jobs -p); wait; rm -rf "$prefix"; } 2>/dev/null || true' EXIT

# The zip: one program, the licences, nothing else that runs.
zip=$(ls build/windows/tavro-*-win64.zip)
listing=$(unzip -Z1 "$zip")
programs_in_zip=$(grep -ciE '\.(exe|dll)$' <<<"$listing" || true)
if [ "$programs_in_zip" -ne 1 ] || ! grep -q '/tavro\.exe$' <<<"$listing" ||
    ! grep -q '/LICENSE\.txt$' <<<"$listing" ||
    ! grep -q '/licenses/OpenCC-dictionaries\.txt$' <<<"$listing" ||
    ! grep -q '/licenses/utf8proc\.txt$' <<<"$listing"; then
  echo "wine-window-and-downloads.sh: the zip should hold tavro.exe and the licences alone:" >&2
  echo "$listing" >&2
  exit 1
fi
echo "the zip holds one program and $(grep -c '\.txt$' <<<"$listing") licence texts"

# tavro.exe copied alone into an empty folder.
unzip -q "$zip" -d "$prefix"
mkdir "$prefix/alone"
cp "$prefix"/tavro-*-win64/tavro.exe "$prefix/alone/"
start_program wine "$prefix/alone/tavro.exe"
drive_window
shot "$output" "$scale"
echo "screenshot: $output"
check_grid "$output" "$scale"
send_keys shift+Tab  # back to the input field

# Closed, the window leaves its last result on the clipboard.
paste_and_press "最后" Command3
expect_clipboard 倒序 "后最"
send_keys alt+F4
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
left=$(read_clipboard || true)
if [ "$left" != "后最" ]; then
  echo "wine-window-and-downloads.sh: after closing the window the clipboard holds '$left'" >&2
  exit 1
fi
echo "after closing the window the clipboard still holds $left"
wineserver --kill

installer=$(ls build/windows/tavro-*-win64.exe)
wine "$installer" /S
wineserver --wait
programs="$WINEPREFIX/drive_c/Program Files/tavro"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/tavro字符工具"
for file in "$programs/tavro.exe" "$programs/LICENSE.txt" "$programs/licenses/LGPL-3.0.txt" \
    "$programs/Uninstall.exe" "$menu/tavro字符工具.lnk"; do
  [ -f "$file" ] || { echo "wine-window-and-downloads.sh: the installer did not install $file" >&2; exit 1; }
done
if [ -n "$(find "$programs" -iname '*.dll')" ]; then
  echo "wine-window-and-downloads.sh: the installer installed libraries beside tavro.exe" >&2
  exit 1
fi
echo "installed silently: $programs"
start_program wine "$programs/tavro.exe"
echo "the installed program opens its window"

# On Windows Vista the installer stops before it changes anything: it exits
# with an error, leaves the installed program as it was and installs nothing.
wineserver --kill
wine_setup wine winecfg -v vista
refused=0
wine "$installer" /S '/D=C:\vista' || refused=$?
wineserver --wait
if [ "$refused" -eq 0 ] || [ -e "$WINEPREFIX/drive_c/vista" ] || [ ! -f "$programs/tavro.exe" ]; then
  echo "wine-window-and-downloads.sh: under Windows Vista the installer did not refuse (exit $refused)" >&2
  exit 1
fi
echo "under Windows Vista the installer refuses (exit $refused) and changes nothing"
