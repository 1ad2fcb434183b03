#!/usr/bin/env bash
# Prints how many lines of tests there are to every line of the program, for
# the whole project and for C++ alone. Counted: the tracked C, C++,
# JavaScript, Python and shell files; a line that is blank or only a comment
# (// ..., or # followed by a space, ! or nothing) is not. The program:
# convert/, app/, platform/ and web/, less generated *.inc, *_test.* and
# web/tests/. The tests: tests/, fuzz/, reference/, web/tests/ and *_test.*
# anywhere. C++ alone: tests/, fuzz/ and reference/ against convert/ and app/.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() {
  [ $# -eq 0 ] && { echo 0; return; }
  awk '{ sub(/^[ \t]+/, "") }
       $0 == "" || /^\/\// || /^#( |!|$)/ { next }
       { n++ }
       END { print n + 0 }' "$@"
}
sources() { git ls-files -- "$@" | grep -E '\.(c|cpp|h|js|mjs|py|sh)$' || true; }
is_test='(^|/)[^/]*_test\.[^/]*$|^web/tests/'
cpp='\.(c|cpp|h)$'

program=$(sources convert app platform web | grep -Ev "$is_test")
tests=$({ sources tests fuzz reference web/tests; sources | grep -E "$is_test"; } | sort -u)
# The word-splitting of file lists is wanted: no tracked name has a space.
# shellcheck disable=SC2086
share() {
  local name=$1 test_lines program_lines
  test_lines=$(lines $2)
  program_lines=$(lines $3)
  printf '%-9s %5d test lines against %5d program lines: %d %%\n' "$name" "$test_lines" \
    "$program_lines" $(((100 * test_lines + program_lines / 2) / program_lines))
}
share all "$tests" "$program"
share "C++ alone" "$(grep -E '^(tests|fuzz|reference)/' <<<"$tests" | grep -E "$cpp")" \
  "$(grep -E '^(convert|app)/' <<<"$program" | grep -E "$cpp")"
