#!/usr/bin/env bash
# Builds the Debian package build/package/tavro_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

build-aux/setup-deps.sh dpkg-dev file
cmake --preset package >/dev/null
cmake --build --preset package
(cd build/package && cpack -G DEB)
