#!/usr/bin/env bash
# Links a Windows program with LLVM's linker (Debian's lld) instead of GNU
# ld: given the compiler's link command, asks the compiler what it would run
# (-###) and runs that with ld.lld, without GNU ld's plugin. Debian's
# mingw-w64 compiler always calls GNU ld, whatever -fuse-ld says, and GNU ld
# keeps every function its unwind data names, --gc-sections or not: lld drops
# what nothing calls, a few hundred kilobytes of tavro.exe.
# Usage: link-with-lld.sh COMPILER ARGUMENTS...
set -euo pipefail
commands=$("$@" -### 2>&1) || { echo "$commands" >&2; exit 1; }
line=$(grep -m 1 '/collect2' <<<"$commands") || { echo "$commands" >&2; exit 1; }
# The compiler prints the command quoted as a shell would read it.
eval "link=($line)"
arguments=()
for ((i = 1; i < ${#link[@]}; i++)); do
  case ${link[i]} in
    -plugin) ((i += 1)) ;;
    -plugin-opt=*) ;;
    *) arguments+=("${link[i]}") ;;
  esac
done
exec ld.lld "${arguments[@]}"
