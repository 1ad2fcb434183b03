#!/usr/bin/env bash
# Measures the page in headless Chromium beside the native build: start-up,
# each conversion on the same 16 MiB text, and the longest time the page does
# not answer input during a 16 MiB 竖排 (bench/page_benchmark.mjs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web.sh --build-only >/dev/null
build-aux/setup-deps.sh chromium
(cd web && npm ci --no-audit --no-fund --loglevel=error)
cmake --preset release >/dev/null
cmake --build --preset release --target file_conversions >/dev/null
node bench/page_benchmark.mjs
