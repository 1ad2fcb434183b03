#!/usr/bin/env bash
# End-to-end check of what a Windows user gets, under wine and Xvfb: the
# portable zip holds one program and its licences; that program, copied alone
# into an empty folder, is driven as scripts/screenshot.sh drives the Linux
# one, gives the same results, and its screenshot shows a grid that lines up;
# while another program holds the clipboard open its results wait, and land
# once it lets go; closing the window leaves the last result on the
# clipboard. The installer installs silently into a fresh wine prefix, with
# its Start menu entry and uninstaller, and the installed program starts.
# Scale 2 runs the desktop at 192 dots per inch.
# Usage: scripts/screenshot-windows.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot-windows.png}
export SCALE=${2:-1}

scripts/package-windows.sh
cmake --build --preset windows --target clipboard_tool >/dev/null
tool=$PWD/build/windows/tests/clipboard_tool.exe
scripts/setup-deps.sh unzip
source scripts/wine-env.sh
source scripts/window-driver.sh
prefix=$(mktemp -d)
use_wine_prefix "$prefix/wine"
start_display
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * SCALE)) /f >/dev/null 2>&1
wineserver --wait
trap '{ wineserver --kill; kill $(jobs -p); wait; rm -rf "$prefix"; } 2>/dev/null' EXIT

# The zip: one program, the licences, nothing else that runs.
zip=$(ls build/windows/tavro-*-win64.zip)
listing=$(unzip -Z1 "$zip")
programs_in_zip=$(grep -ciE '\.(exe|dll)$' <<<"$listing" || true)
if [ "$programs_in_zip" -ne 1 ] || ! grep -q '/tavro\.exe$' <<<"$listing" ||
    ! grep -q '/LICENSE\.txt$' <<<"$listing"; then
  echo "screenshot-windows.sh: the zip should hold tavro.exe and the licences alone:" >&2
  echo "$listing" >&2
  exit 1
fi
echo "the zip holds one program and $(grep -c '\.txt$' <<<"$listing") licence texts"

# tavro.exe copied alone into an empty folder.
unzip -q "$zip" -d "$prefix"
mkdir "$prefix/alone"
cp "$prefix"/tavro-*-win64/tavro.exe "$prefix/alone/"
drive_window "$output" wine "$prefix/alone/tavro.exe"

# Another program holds the clipboard open while 倒序 (left 4800, top 720)
# runs: the window goes on answering, and the result lands within a second
# of the clipboard's release.
for hold in 600 1500 5000; do
  paste_input "中文$hold"
  log=$(mktemp)
  wine "$tool" hold "$hold" "$(rev <<<"$hold")文中" >"$log" 2>&1 &
  holder=$!
  for _ in $(seq 100); do grep -q held "$log" && break; sleep 0.1; done
  click_at 360 64
  wait "$holder" || { cat "$log" >&2; echo "screenshot-windows.sh: with the clipboard held $hold ms" >&2; exit 1; }
  tr -d '\r' <"$log" | grep -vx held
  rm -f "$log"
done
# Closed, the window leaves its last result on the clipboard.
wine "$tool" close
for _ in $(seq 100); do
  [ -z "$(xdotool search --name 'tavro' 2>/dev/null)" ] && break
  sleep 0.1
done
left=$(wine "$tool" read)
if [ "$left" != "0005文中" ]; then
  echo "screenshot-windows.sh: after closing the window the clipboard holds '$left'" >&2
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
  [ -f "$file" ] || { echo "screenshot-windows.sh: the installer did not install $file" >&2; exit 1; }
done
if [ -n "$(find "$programs" -iname '*.dll')" ]; then
  echo "screenshot-windows.sh: the installer installed libraries beside tavro.exe" >&2
  exit 1
fi
echo "installed silently: $programs"
start_program wine "$programs/tavro.exe"
echo "the installed program opens its window"
