#!/usr/bin/env bash
# Prints what users download: the page as a visitor's browser stores it for
# use offline (every file its service worker lists, each once, at gzip -9;
# KB are 1,000 bytes), the phrases it fetches apart, and tavro.exe stripped.
# Usage: scripts/sizes.sh [page folder] [tavro.exe]
set -euo pipefail
cd "$(dirname "$0")/.."
page=${1:-build/web}
program=${2:-build/windows/app/tavro.exe}

gzipped() { gzip -9c "$1" | wc -c; }
kb() { awk -v bytes="$1" 'BEGIN { printf "%.1f KB", bytes / 1000 }'; }

if [ -f "$page/sw.js" ]; then
  # The list the build wrote into sw.js: './' is index.html, listed again.
  mapfile -t files < <(sed -n "s/^const kFiles = \[\(.*\)\];$/\1/p" "$page/sw.js" |
    tr ',' '\n' | tr -d " '" | grep -vx './' | sort -u)
  total=$(gzipped "$page/sw.js")
  printf '%8s  %s\n' "$(kb "$total")" sw.js
  for file in "${files[@]}"; do
    size=$(gzipped "$page/$file")
    total=$((total + size))
    printf '%8s  %s\n' "$(kb "$size")" "$file"
  done
  echo "the page: $(kb "$total") gzip'd, $total bytes (${#files[@]} files and sw.js)"
  [ -f "$page/phrases.bin" ] &&
    echo "its phrases, fetched when 简→繁 or 繁→简 first runs: $(kb "$(gzipped "$page/phrases.bin")") gzip'd"
fi
if [ -f "$program" ]; then
  stripped=$(mktemp)
  x86_64-w64-mingw32-strip -o "$stripped" "$program"
  echo "tavro.exe stripped: $(stat -c %s "$stripped") bytes"
  rm -f "$stripped"
fi
