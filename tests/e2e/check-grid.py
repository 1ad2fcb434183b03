#!/usr/bin/env python3
"""Checks on a screenshot that the "|" strokes of a 竖排 grid stand one above
the other in the output field, within 1.5 px, line by line.

Usage: check-grid.py screenshot.png scale left top width height
The screenshot is the window's client area; the output field is at left,
top, width x height in the design's pixels (the window driver reads them
from the design table). The grid's text has no other upright strokes (一 二
三 - = and spaces).
"""
import subprocess
import sys

path, scale = sys.argv[1], int(sys.argv[2])
field = [int(v) for v in sys.argv[3:7]]
# The field's inside: less its frame, 2 px on every side.
left, top, width, height = [v * scale for v in
                            (field[0] + 2, field[1] + 2, field[2] - 4, field[3] - 4)]
pgm = subprocess.run(
    ["convert", path, "-crop", f"{width}x{height}+{left}+{top}", "+repage",
     "-colorspace", "gray", "-depth", "8", "-compress", "none", "pgm:-"],
    check=True, capture_output=True, text=True).stdout.split()
w, h = int(pgm[1]), int(pgm[2])
pixels = [int(v) for v in pgm[4:]]
dark = lambda x, y: pixels[y * w + x] < 200  # anti-aliased edges too

# Upright runs of dark pixels as tall as most of a line: the strokes.
runs = []
for x in range(w):
    y = 0
    while y < h:
        if dark(x, y):
            start = y
            while y < h and dark(x, y):
                y += 1
            if y - start >= 8 * scale:
                runs.append((x, start))
        y += 1

# A line's strokes start within a few pixels of each other; a stroke may be
# more than one column wide.
lines = {}
for x, start in runs:
    key = next((k for k in lines if abs(k - start) <= 3 * scale), start)
    lines.setdefault(key, []).append(x)
grid = []
for key in sorted(lines):
    strokes = []
    for x in sorted(lines[key]):
        if strokes and x - strokes[-1][-1] <= 1:
            strokes[-1].append(x)
        else:
            strokes.append([x])
    grid.append([sum(s) / len(s) / scale for s in strokes])

first = grid[0] if grid else []
worst = max((abs(a - b) for line in grid for a, b in zip(line, first)), default=0)
print(f"grid: {len(grid)} lines, strokes at {first}, worst offset {worst:.2f} px")
if len(grid) < 2 or any(len(line) != len(first) for line in grid) or worst > 1.5:
    print(f"check-grid.py: the grid does not line up: {grid}", file=sys.stderr)
    sys.exit(1)
