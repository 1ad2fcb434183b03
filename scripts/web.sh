#!/usr/bin/env bash
# Builds the page into build/web/ (the conversions in WebAssembly with
# Debian's emscripten, the page's files, the ASCII subset of the grid font)
# and serves it on http://127.0.0.1:8000/ (with --host, on every address of
# this machine, for a phone on the same network). With --build-only it stops after
# the build. build/web/ can be put on any static web host as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh emscripten nodejs fonttools python3-brotli librsvg2-bin
export NODE_PATH=/usr/share/nodejs
output=build/web

# The widths of code page 936 from this machine's iconv, for the module.
cmake -S . -B build/web-host -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRO_BUILD_APP=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build/web-host --target make_width_table >/dev/null
mkdir -p build/web-width-table
build/web-host/web/make_width_table build/web-width-table/cp936_widths.inc

scripts/utf8proc-source.sh
rm -rf "$output"  # only this build's files, which the service worker lists
cmake --preset web >/dev/null
cmake --build --preset web

mkdir -p "$output/icons"
cp web/index.html web/style.css web/main.js web/manifest.webmanifest "$output/"
cp app/icons/tavro.svg "$output/icons/"
web/make_icons.py "$output/icons"
# The printable ASCII of Noto Sans Mono CJK SC, each glyph half an em, and
# its licence: the font's own copyright notice and the OFL's text as Debian
# ships it.
font=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
/usr/bin/python3 - "$font" "$output" <<'PYTHON'
import subprocess, sys
from fontTools.ttLib import TTCollection
font, output = sys.argv[1], sys.argv[2]
faces = TTCollection(font).fonts
index = [face['name'].getDebugName(4) for face in faces].index('Noto Sans Mono CJK SC')
subprocess.run(['/usr/bin/pyftsubset', font, f'--font-number={index}', '--unicodes=U+0020-007E',
                '--flavor=woff2', "--layout-features=", '--no-hinting', '--desubroutinize',
                f'--output-file={output}/grid-ascii.woff2'], check=True)
# The separator field's first character, U+001A, drawn as the blank it is in
# the window, not as the browser's box for a control character.
from fontTools.ttLib import TTFont
subset = TTFont(f'{output}/grid-ascii.woff2')
for table in subset['cmap'].tables:
    table.cmap[0x1A] = table.cmap[0x20]
subset.save(f'{output}/grid-ascii.woff2')
lines = open('/usr/share/doc/fonts-noto-cjk/copyright', encoding='utf-8').read().split('\n')
start = next(i for i in range(1, len(lines))
             if lines[i] == 'License: SIL-1.1' and lines[i - 1] == '')
licence = []
for line in lines[start + 1:]:
    if not line.startswith(' '):
        break
    licence.append('' if line == ' .' else line[1:])
with open(f'{output}/LICENSE-font.txt', 'w', encoding='utf-8') as out:
    out.write('grid-ascii.woff2: the ASCII letters of Noto Sans Mono CJK SC.\n')
    out.write(faces[index]['name'].getDebugName(0) + '\n\n' + '\n'.join(licence) + '\n')
PYTHON
cp LICENSE "$output/LICENSE.txt"
cp convert/tables/LICENSE-OpenCC.txt "$output/LICENSE-OpenCC.txt"
cp "$HOME/.cache/tavro/utf8proc/LICENSE.md" "$output/LICENSE-utf8proc.txt"
cp app/fonts/control-pictures.ttf app/fonts/LICENSE-control-pictures.txt "$output/"
web/make_service_worker.sh "$output"
echo "the page: $output ($(du -sk "$output" | cut -f1) KB)"

[ "${1:-}" = --build-only ] && exit 0
exec node web/serve.mjs "$output" 8000 "$@"  # --host: for a phone on this network
