#!/usr/bin/env bash
# Builds what a Windows user gets: build/windows/tavro-<version>-win64.exe, an
# installer, and tavro-<version>-win64.zip, tavro.exe with its licence texts.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-qt-windows.sh
build-aux/utf8proc-source.sh
build-aux/setup-deps.sh nsis
cmake --preset windows >/dev/null
cmake --build --preset windows --target tavro
(cd build/windows && cpack >/dev/null)
ls build/windows/tavro-*-win64.exe build/windows/tavro-*-win64.zip
