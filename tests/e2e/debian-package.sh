#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian and its manual page, installs
# it on this machine (as root), and checks the installed program, its menu
# entry, icon and AppStream data.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/package.sh
build-aux/setup-deps.sh desktop-file-utils appstream lintian man-db
package=$(ls build/package/tavro_*.deb)

# Debian's own checker: not one error or warning (its complaint about being
# run as root is no finding).
findings=$(lintian --fail-on none "$package" 2>/dev/null)
if grep -E '^[EW]: ' <<<"$findings"; then
  echo "debian-package.sh: lintian finds the package wanting" >&2
  exit 1
fi
echo "lintian: no error, no warning${findings:+ (${findings//$'\n'/; })}"
# The manual page renders, read from the package itself: a system may leave
# manual pages out of what it installs.
pages=$(mktemp -d)
dpkg-deb -x "$package" "$pages"
MANPAGER=cat MANWIDTH=80 man -l "$pages/usr/share/man/man1/tavro.1.gz" | grep -q '^NAME' ||
  { echo "debian-package.sh: the manual page does not render" >&2; exit 1; }
rm -rf "$pages"

build-aux/as-root.sh apt-get install -y -qq "./$package" >/dev/null

desktop=/usr/share/applications/net.tavro.tavro.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net /usr/share/metainfo/net.tavro.tavro.metainfo.xml
test -f /usr/share/icons/hicolor/scalable/apps/net.tavro.tavro.svg
test -f /usr/share/icons/hicolor/48x48/apps/net.tavro.tavro.png

# The program, started as the menu entry starts it, must still be running
# after three seconds (timeout's 124), not have failed.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
status=0
QT_QPA_PLATFORM=offscreen timeout 3 $exec_line || status=$?
if [ "$status" -ne 124 ]; then
  echo "debian-package.sh: '$exec_line' ended with status $status instead of running" >&2
  exit 1
fi
echo "package installed, menu entry valid, program starts: $package"
