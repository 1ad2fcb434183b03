#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes into the folder given grid-ascii.woff2, the printable ASCII of Noto
Sans Mono CJK SC (each glyph half an em), and its licence, LICENSE-font.txt:
the font's own copyright notice and the OFL's text as Debian ships it."""
import os
import subprocess
import sys

from fontTools.ttLib import TTCollection, TTFont

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'fonts'))
from make_control_pictures import licence_text  # noqa: E402

FONT = '/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc'
FACE = 'Noto Sans Mono CJK SC'


def main():
    output = sys.argv[1]
    faces = TTCollection(FONT).fonts
    index = [face['name'].getDebugName(4) for face in faces].index(FACE)
    subprocess.run(['/usr/bin/pyftsubset', FONT, f'--font-number={index}',
                    '--unicodes=U+0020-007E', '--flavor=woff2', '--layout-features=',
                    '--no-hinting', '--desubroutinize',
                    f'--output-file={output}/grid-ascii.woff2'], check=True)
    # The separator field's U+001A as a blank, not as the browser's box for a
    # control character: the page draws its picture ␚ over it.
    subset = TTFont(f'{output}/grid-ascii.woff2')
    for table in subset['cmap'].tables:
        table.cmap[0x1A] = table.cmap[0x20]
    subset.save(f'{output}/grid-ascii.woff2')
    with open(f'{output}/LICENSE-font.txt', 'w', encoding='utf-8') as out:
        out.write(f'grid-ascii.woff2: the ASCII letters of {FACE}.\n')
        out.write(faces[index]['name'].getDebugName(0) + '\n\n'
                  + licence_text('/usr/share/doc/fonts-noto-cjk/copyright', 'SIL-1.1') + '\n')


if __name__ == '__main__':
    main()
