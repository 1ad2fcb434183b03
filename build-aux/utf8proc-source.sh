#!/usr/bin/env bash
# Unpacks Debian's utf8proc source, the same version as the host's
# libutf8proc-dev, for the Windows and the browser builds, which compile it
# with their own compilers (Linux links Debian's library). Reused once there;
# ~/.cache/tavro/utf8proc points at it.
set -euo pipefail
cd "$(dirname "$0")/.."

build-aux/setup-deps.sh libutf8proc-dev dpkg-dev
version=$(dpkg-query -W -f='${Version}' libutf8proc-dev)
cache=$HOME/.cache/tavro
source_dir=$cache/utf8proc-$version
if [ ! -f "$source_dir/.complete" ]; then
  build-aux/debian-sources.sh
  work=$(mktemp -d)
  chmod a+rwx "$work"  # apt fetches as its own user
  (cd "$work" && apt-get source -qq "utf8proc=$version" >/dev/null)
  rm -rf "$source_dir"
  mkdir -p "$cache"
  mv "$work"/utf8proc-*/ "$source_dir"
  rm -rf "$work"
  touch "$source_dir/.complete"
fi
ln -sfn "$source_dir" "$cache/utf8proc"
