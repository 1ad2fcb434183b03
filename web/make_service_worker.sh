#!/usr/bin/env bash
# Writes FOLDER/sw.js from web/sw.js for the page built in FOLDER: the list of
# every file of the page but itself and the phrases, which the page fetches
# when it needs them, and a store named after the content of all, so that a
# new page replaces the old one whole.
# Usage: web/make_service_worker.sh FOLDER
set -euo pipefail
template=$(cd "$(dirname "$0")" && pwd)/sw.js
cd "$1"
rm -f sw.js
files=$(find . -type f ! -name phrases.bin | sed 's|^\./||' | LC_ALL=C sort)
version=$(cat $files $(find . -name phrases.bin) | sha256sum | cut -c1-12)
list="'./'$(printf ", '%s'" $files)"
sed -e "s/@PAGE_VERSION@/$version/" -e "s|@PAGE_FILES@|$list|" "$template" >sw.js
