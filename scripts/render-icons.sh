#!/usr/bin/env bash
# Renders data/icons/tavro.svg into the PNG sizes of the hicolor theme and the
# Windows .ico. Run after changing the artwork; the results are committed.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
../../build-aux/setup-deps.sh librsvg2-bin imagemagick

for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" tavro.svg --output "tavro-$size.png"
done
convert tavro-16.png tavro-24.png tavro-32.png tavro-48.png tavro-256.png tavro.ico
