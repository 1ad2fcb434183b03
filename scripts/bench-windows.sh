#!/usr/bin/env bash
# Builds the window-opening benchmark for Windows, with Google Benchmark built
# from Debian's source, and runs it under wine (Xvfb, a Chinese locale).
# Arguments go to the benchmark (--benchmark_min_time=5, say).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-qt-windows.sh >/dev/null
build-aux/utf8proc-source.sh
build-aux/setup-deps.sh libbenchmark-dev
source build-aux/wine-env.sh
source build-aux/xvfb-display.sh

# The same version as the host's, from Debian's source.
version=$(dpkg-query -W -f='${Version}' libbenchmark-dev)
source_dir=$HOME/.cache/tavro/benchmark-$version
if [ ! -f "$source_dir/CMakeLists.txt" ]; then
  build-aux/debian-sources.sh
  work=$(mktemp -d)
  (cd "$work" && apt-get source --download-only -qq "benchmark=$version" >/dev/null)
  mkdir -p "$source_dir"
  tar -xf "$work"/benchmark_*.orig.tar.* -C "$source_dir" --strip-components=1
  rm -rf "$work"
fi

cmake --preset windows -B build/windows-bench -DTAVRO_BUILD_BENCHMARKS=ON -DBUILD_TESTING=OFF \
  -DTAVRO_BENCHMARK_SOURCE="$source_dir" >/dev/null
cmake --build build/windows-bench --target open_window_benchmark
use_wine_prefix "$HOME/.cache/tavro/wine"
start_display
wine build/windows-bench/bench/open_window_benchmark.exe "$@"
