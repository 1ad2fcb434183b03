#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Renders the page's icons from the program's artwork (data/icons/tavro.svg)
into the folder given: the 192 and 512 px icons an installed web app wants,
and a maskable one, whose background fills the square and whose glyph keeps
inside the middle circle that every launcher's mask leaves; each as small a
PNG as its pixels allow."""
import re
import subprocess
import sys

ARTWORK = 'data/icons/tavro.svg'


def render(svg, size, path):
    """Renders `svg` at `size` pixels into `path`, then recompresses it, pixel
    for pixel the same, as small as optipng and zopfli make it."""
    subprocess.run(['rsvg-convert', '--width', str(size), '--height', str(size), '--output',
                    path], input=svg.encode(), check=True)
    subprocess.run(['optipng', '-quiet', '-o7', path], check=True)
    subprocess.run(['zopflipng', '-y', '-m', path, path], check=True, stdout=subprocess.DEVNULL)


def main():
    folder = sys.argv[1]
    with open(ARTWORK, encoding='utf-8') as artwork:
        svg = artwork.read()
    for size in (192, 512):
        render(svg, size, f'{folder}/tavro-{size}.png')
    # The rounded square's colour over the whole square, the rest within 72 %.
    background = re.search(r'<rect [^>]*fill="(#[0-9a-f]+)"', svg).group(1)
    body = re.sub(r'\s*<rect [^>]*/>', '', svg[svg.index('>') + 1:svg.rindex('</svg>')])
    maskable = (f'{svg[:svg.index(">") + 1]}<rect width="256" height="256" fill="{background}"/>'
                f'<g transform="translate(128 128) scale(0.72) translate(-128 -128)">{body}</g>'
                '</svg>')
    render(maskable, 512, f'{folder}/tavro-maskable-512.png')


if __name__ == '__main__':
    main()
