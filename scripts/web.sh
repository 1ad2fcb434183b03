#!/usr/bin/env bash
# Builds the page into build/web/ (the conversions in WebAssembly with
# Debian's emscripten, the page's files, the ASCII subset of the grid font)
# and serves it on http://127.0.0.1:8000/ (with --host, on every address of
# this machine, for a phone on the same network). With --build-only it stops after
# the build. build/web/ can be put on any static web host as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
build-aux/setup-deps.sh emscripten nodejs fonttools python3-brotli librsvg2-bin optipng zopfli
export NODE_PATH=/usr/share/nodejs
output=build/web

# The widths of code page 936 from this machine's iconv, for the module.
cmake -S . -B build/web-host -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRO_BUILD_APP=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build/web-host --target make_width_table make_phrase_file >/dev/null
mkdir -p build/web-width-table
build/web-host/web/make_width_table build/web-width-table/cp936_widths.inc

build-aux/utf8proc-source.sh
rm -rf "$output"  # only this build's files, which the service worker lists
cmake --preset web >/dev/null
cmake --build --preset web

mkdir -p "$output/icons"
cp web/index.html web/style.css web/main.js web/manifest.webmanifest "$output/"
cp data/icons/tavro.svg "$output/icons/"
web/make_icons.py "$output/icons"
# The phrases, fetched when 简→繁 or 繁→简 first runs (the service worker keeps
# them then), not with the page.
build/web-host/web/make_phrase_file "$output/phrases.bin"
# The grid's ASCII letters, with their licence.
web/make_grid_font.py "$output"
cp LICENSE "$output/LICENSE.txt"
cp convert/tables/LICENSE-OpenCC.txt "$output/LICENSE-OpenCC.txt"
cp "$HOME/.cache/tavro/utf8proc/LICENSE.md" "$output/LICENSE-utf8proc.txt"
cp data/fonts/control-pictures.ttf data/fonts/LICENSE-control-pictures.txt "$output/"
web/make_service_worker.sh "$output"
echo "the page: $output ($(du -sk "$output" | cut -f1) KB)"

[ "${1:-}" = --build-only ] && exit 0
exec node web/serve.mjs "$output" 8000 "$@"  # --host: for a phone on this network
