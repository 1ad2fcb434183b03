#!/usr/bin/env bash
# Fails when a Windows program imports a DLL or a function that 64-bit
# Windows 7 SP1 does not export: Windows' loader would refuse the program
# before it starts. The list of what Windows 7 exports is
# platform/windows/windows7-exports.txt. Usage: platform/windows/check-imports.sh program.exe...
set -euo pipefail
exports=$(dirname "$0")/windows7-exports.txt

# "dll function" for each function a program imports by name, DLLs in lower case.
imports_of() {
  x86_64-w64-mingw32-objdump -p "$1" | awk '
    /^\tDLL Name: / { dll = tolower($3) }
    /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }' | sort -u
}

known=$(grep -v '^#' "$exports" | sort -u)
status=0
for program in "$@"; do
  imports=$(imports_of "$program")
  missing=$(comm -23 <(echo "$imports") <(echo "$known"))
  if [ -n "$missing" ]; then
    echo "$(basename "$program") imports what Windows 7 SP1 lacks:" >&2
    echo "$missing" | sed 's/^/  /' >&2
    status=1
  else
    echo "$(basename "$program"): $(echo "$imports" | wc -l) functions from" \
      "$(echo "$imports" | cut -d' ' -f1 | sort -u | wc -l) DLLs, all in Windows 7 SP1"
  fi
done
exit $status
