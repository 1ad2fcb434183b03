#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes control-pictures.ttf: the Control Pictures (U+2400-U+2421, ␀ ... ␚ ...
␡) of Noto Sans Symbols 2, as Debian's fonts-noto-core ships it, and its
licence. The window and the page draw a control character of the separator
field (U+001A at start) as its picture in this font, which few systems have.
Run after a change of the source font; the results are committed."""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = '/usr/share/fonts/truetype/noto/NotoSansSymbols2-Regular.ttf'
COPYRIGHT = '/usr/share/doc/fonts-noto-core/copyright'


def main():
    if not os.path.exists(SOURCE):
        sys.exit(f'{SOURCE} is missing: apt-get install fonts-noto-core fonttools')
    subprocess.run(['pyftsubset', SOURCE, '--unicodes=U+2400-2421', '--no-hinting',
                    '--layout-features=', '--name-IDs=*', '--drop-tables+=DSIG',
                    f'--output-file={HERE}/control-pictures.ttf'], check=True)
    with open(f'{HERE}/LICENSE-control-pictures.txt', 'w', encoding='utf-8') as out:
        out.write('control-pictures.ttf: the Control Pictures of Noto Sans Symbols 2.\n'
                  'Copyright 2010, 2012-2020 Google Inc., 2015-2020 Google LLC.\n\n'
                  + licence_text(COPYRIGHT, 'OFL-1.1') + '\n')


def licence_text(copyright_path, name):
    """The text of the stand-alone licence paragraph `name` of a Debian
    copyright file, as plain text."""
    with open(copyright_path, encoding='utf-8') as copyright_file:
        lines = copyright_file.read().split('\n')
    start = next(i for i in range(1, len(lines))
                 if lines[i] == f'License: {name}' and lines[i - 1] == '')
    licence = []
    for line in lines[start + 1:]:
        if not line.startswith(' '):
            break
        licence.append('' if line == ' .' else line[1:])
    return '\n'.join(licence)


if __name__ == '__main__':
    main()
