#!/usr/bin/env bash
# Makes Debian's source packages available to apt-get source: adds deb-src
# entries for the machine's own sources (deb822 stanzas and one-line entries
# alike) when it has none. Does nothing when it has some.
set -euo pipefail
cd "$(dirname "$0")/.."

has_sources() { apt-get indextargets --format '$(IDENTIFIER)' 2>/dev/null | grep -qx Sources; }
has_sources && exit 0

stanzas=$(mktemp) lines=$(mktemp)
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -f "$file" ] || continue
  case $file in
    *.sources) { sed '/^Types:/s/.*/Types: deb-src/' "$file"; echo; } >>"$stanzas" ;;
    *) sed -n 's/^deb \(.*\)/deb-src \1/p' "$file" >>"$lines" ;;
  esac
done
# deb822 stanzas and one-line entries go to files of their own kind.
if [ -s "$stanzas" ]; then
  build-aux/as-root.sh cp "$stanzas" /etc/apt/sources.list.d/tavro-deb-src.sources
fi
if [ -s "$lines" ]; then
  build-aux/as-root.sh cp "$lines" /etc/apt/sources.list.d/tavro-deb-src.list
fi
rm -f "$stanzas" "$lines"
build-aux/as-root.sh chmod 644 /etc/apt/sources.list.d/tavro-deb-src.* 2>/dev/null || true
build-aux/as-root.sh apt-get update -qq
if ! has_sources; then
  echo "debian-sources: no Debian source entries could be made from /etc/apt; add a deb-src line for Debian 12 and run again" >&2
  exit 1
fi
