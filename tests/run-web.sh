#!/usr/bin/env bash
# Builds the page and tests it: the conversions compiled to WebAssembly
# against the plain references and the desktop's code page 936 widths, run by
# node; then the page itself in Debian's Chromium, driven by Playwright.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web.sh --build-only
build-aux/setup-deps.sh chromium
# npm comes with this machine's Node.js; Debian ships it apart.
command -v npm >/dev/null || build-aux/setup-deps.sh npm
export NODE_PATH=/usr/share/nodejs
ctest --preset web
cd web
npm ci --no-audit --no-fund --loglevel=error
npm test
