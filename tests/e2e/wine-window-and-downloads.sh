#!/usr/bin/env bash
# End-to-end check of what a Windows user gets, under wine and Xvfb: the
# portable zip holds one program and its licences; that program, copied alone
# into an empty folder, is driven as tests/e2e/x11-window.sh drives the Linux
# one, gives the same results, and its screenshot shows a grid that lines up;
# while another program holds the clipboard open its results wait, and land
# once it lets go, or the window says that it did not; closing the window
# leaves the last result on the clipboard. The installer installs silently into a fresh wine prefix, with
# its Start menu entry and uninstaller, and the installed program starts; on
# Windows Vista the installer refuses, changing nothing.
# Scale 2 runs the desktop at 192 dots per inch. With TAVRO_ACT_AS_WINDOWS7=1
# all of it runs as on Windows 7 SP1: wine says it is Windows 7, and tavro.exe
# uses its own replacements for what Windows 7 lacks.
# Usage: tests/e2e/wine-window-and-downloads.sh [output.png] [scale]
set -euo pipefail
cd "$(dirname "$0")/../.."
output=${1:-docs/screenshot-windows.png}
export SCALE=${2:-1}

scripts/package-windows.sh
cmake --build --preset windows --target clipboard_tool >/dev/null
tool=$PWD/build/windows/tests/clipboard_tool.exe
build-aux/setup-deps.sh unzip
source build-aux/wine-env.sh
source tests/e2e/window-driver.sh
prefix=$(mktemp -d)
use_wine_prefix "$prefix/wine"
start_display
wine_setup wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * SCALE)) /f >/dev/null 2>&1
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
drive_window "$output" wine "$prefix/alone/tavro.exe"

# Another program (the tool, doing `verb ms text`) holds the clipboard open
# while 倒序 runs.
hold_during_command() {
  log=$(mktemp)
  wine "$tool" "$@" >"$log" 2>&1 &
  holder=$!
  for _ in $(seq 100); do grep -q held "$log" && break; sleep 0.1; done
  click_control Command3  # 倒序
}
finish_hold() {
  wait "$holder" || { cat "$log" >&2; echo "wine-window-and-downloads.sh: $1" >&2; exit 1; }
  tr -d '\r' <"$log" | grep -vx held
  rm -f "$log"
}
# Whether the screenshot `image` shows the notice bar of colour `colour` over
# the output field.
expect_notice() {
  local image=$1 colour=$2 what=$3 pixels left top width height
  read -r left top width height < <(control_rect Text2)
  pixels=$(convert "$image" \
    -crop "$((width * scale))x$((height * scale))+$((left * scale))+$((top * scale))" \
    +repage -fuzz 12% -fill '#00FF00' -opaque "$colour" -fill black +opaque '#00FF00' \
    -format '%[fx:round(mean.g*w*h)]' info:)
  if [ "$pixels" -lt $((150 * scale)) ]; then
    echo "wine-window-and-downloads.sh: no notice over the output field in $image ($what)" >&2
    exit 1
  fi
  echo "$image shows the notice: $what"
}
shot() {
  import -window root -crop "$((client_width * scale))x$((client_height * scale))+${origin_x}+${origin_y}" \
    +repage "$1"
}

# The window goes on answering, and the result lands within a second of the
# clipboard's release.
for hold in 600 1500 5000; do
  paste_input "中文$hold"
  hold_during_command hold "$hold" "$(rev <<<"$hold")文中"
  finish_hold "with the clipboard held $hold ms"
done
# Held longer than the window waits, a key pressed meanwhile: after 11 s the
# window says that the result is not copied, and what the user had copied
# before is still on the clipboard when the other program lets go.
paste_input "中文12"
wine "$tool" put "用户复制的文字"
hold_during_command outlast 12000 "用户复制的文字"
sleep 3
xdotool key End
sleep 7.5
shot "${output%.png}-not-copied.png"
finish_hold "with the clipboard held 12 s"
expect_notice "${output%.png}-not-copied.png" '#F67400' "not copied, after 11 s"
# Another program puts its text on the clipboard while our result waits:
# the window says so, and leaves that text there.
paste_input "中文3"
hold_during_command replace 3000 "另一个程序的文字"
finish_hold "with the clipboard replaced while the result waited"
shot "${output%.png}-superseded.png"
expect_notice "${output%.png}-superseded.png" '#F67400' "changed by another program"
# Closed, the window leaves its last result on the clipboard.
paste_input "最后"
click_control Command3
wine "$tool" close
for _ in $(seq 100); do
  [ -z "$(xdotool search --name 'tavro' 2>/dev/null)" ] && break
  sleep 0.1
done
left=$(wine "$tool" read)
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
