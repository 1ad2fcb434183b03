#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running tavro need,
# plus any package names given as arguments. Does nothing when all are there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  fonts-noto-cjk fonts-wqy-zenhei
  opencc libutf8proc-dev unicode-data
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root="$(dirname "$0")/as-root.sh"
"$as_root" apt-get update -qq || {
  echo "tavro needs these Debian packages: apt-get install ${missing[*]}" >&2
  exit 1
}
"$as_root" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
