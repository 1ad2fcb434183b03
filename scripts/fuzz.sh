#!/usr/bin/env bash
# Builds the libFuzzer programs and runs each for a bounded time, starting
# from the seed corpus. Usage: scripts/fuzz.sh [seconds per program]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

build-aux/setup-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

for path in build/fuzz/fuzz/*_fuzz; do
  program=$(basename "$path" _fuzz)
  corpus=build/fuzz/corpus/$program
  mkdir -p "$corpus"
  log=build/fuzz/$program.log
  echo "fuzzing $program for ${seconds}s"
  if ! "$path" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/${program}-" "$corpus" fuzz/corpus >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz.sh: $program found a failing input (saved as build/fuzz/${program}-*)" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log"
done
