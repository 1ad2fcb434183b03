#!/usr/bin/env bash
# Screenshots of the window with each of its notices, to look at: on X11
# under Xvfb in the default and a dark style, and with `windows` as the first
# argument the Windows build under wine; each at scale 1 and 2.
# Usage: scripts/notice-screenshots.sh [linux|windows] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
platform=${1:-linux}
output=$(realpath -m "${2:-build/notices}")
mkdir -p "$output"
source build-aux/xvfb-display.sh

if [ "$platform" = windows ]; then
  scripts/build-qt-windows.sh >/dev/null
  build-aux/utf8proc-source.sh
  source build-aux/wine-env.sh
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target notice_gallery >/dev/null
  use_wine_prefix "$HOME/.cache/tavro/wine"
  start_display
  for scale in 1 2; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale)) /f >/dev/null 2>&1
    wineserver --wait
    mkdir -p "$output/windows-$scale"
    wine build/windows/tests/notice_gallery.exe "$(winepath -w "$output/windows-$scale")"
  done
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
else
  build-aux/setup-deps.sh adwaita-qt6
  cmake --preset debug >/dev/null
  cmake --build --preset debug --target notice_gallery >/dev/null
  start_display
  for scale in 1 2; do
    for style in default Adwaita-Dark; do
      folder=$output/linux-$style-$scale
      mkdir -p "$folder"
      if [ "$style" = default ]; then unset QT_STYLE_OVERRIDE; else export QT_STYLE_OVERRIDE=$style; fi
      QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale build/debug/tests/notice_gallery "$folder"
    done
  done
fi
echo "notices: $output"
