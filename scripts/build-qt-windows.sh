#!/usr/bin/env bash
# Builds the smallest Qt for 64-bit Windows that tavro and its tests need,
# as static libraries, from Debian's qt6-base source with mingw-w64, so that
# tavro.exe is one file that runs alone. Installs it into a cache
# outside the work tree. A cache made with the same Qt version, configure
# options and compiler is reused. Prints the install prefix on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
toolchain=$repo/cmake/mingw-w64-x86_64.cmake

build-aux/setup-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix dpkg-dev xz-utils \
  python3 patch lld

# The cross build runs Debian's own moc, rcc and uic, so the Windows Qt must
# be the same version as the host's.
debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
version=${debian_version%%+*}
options=(
  -DCMAKE_BUILD_TYPE=Release
  # Smaller code: the libraries are built for size, not speed (-Os).
  -DFEATURE_optimize_size=ON
  -DBUILD_SHARED_LIBS=OFF
  # Programs linked against it take the mingw-w64 runtime in statically too.
  -DFEATURE_static_runtime=ON
  # Each function in a section of its own, so that the linker can drop the
  # parts of Qt that tavro never calls.
  "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
  "-DCMAKE_CXX_FLAGS=-ffunction-sections -fdata-sections"
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  # As configure -no-opengl: FEATURE_opengl=OFF alone leaves dynamic OpenGL
  # on, and the windows plugin would still compile its code.
  -DINPUT_opengl=no -DFEATURE_vulkan=OFF
  -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF
  # Debian's source has no wintab, which tablet support includes. Without
  # Direct2D, Qt does not build the DirectWrite font database that the
  # windows plugin would then ask for; it uses the GDI one.
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
  # What tavro cannot reach: no dialogs, item views on files, graphics scenes,
  # docks, undo stacks, style sheets, gestures, markdown, XML or MIME
  # database. Text editing, shaping, the clipboard, input methods, high DPI,
  # dark mode, accessibility and the Windows style stay.
  -DFEATURE_graphicsview=OFF -DFEATURE_filedialog=OFF -DFEATURE_filesystemmodel=OFF
  -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_colordialog=OFF
  -DFEATURE_fontdialog=OFF -DFEATURE_wizard=OFF -DFEATURE_mdiarea=OFF -DFEATURE_dockwidget=OFF
  -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF -DFEATURE_undogroup=OFF
  -DFEATURE_undoview=OFF -DFEATURE_style_stylesheet=OFF -DFEATURE_gestures=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_xmlstream=OFF
  -DFEATURE_mimetype=OFF
  # Nor regular expressions (and PCRE2), whose one use would be a file name
  # check; the other calendars, the fast SHA-3, the Fusion style and the
  # image formats that only read files (XPM stays: drag and drop draws its
  # cursors from it). Without FreeType, text is drawn by Windows (GDI), as
  # it is anyway; the offscreen platform, which needs FreeType, goes too: the
  # Windows tests run on the windows platform. (Item views stay: the Windows
  # styles use them without asking whether they are there.)
  -DFEATURE_regularexpression=OFF -DFEATURE_hijricalendar=OFF
  -DFEATURE_islamiccivilcalendar=OFF -DFEATURE_jalalicalendar=OFF -DFEATURE_sha3_fast=OFF
  -DFEATURE_style_fusion=OFF -DFEATURE_imageformat_bmp=OFF -DFEATURE_imageformat_ppm=OFF
  -DFEATURE_imageformat_xbm=OFF -DFEATURE_freetype=OFF
)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
# Debian's patch series (its security fixes among them) is applied whole:
# each patch applies to the Windows build too, and the cache follows the
# Debian version that names the series. Then our own fixes.
fixes=$repo/platform/windows/qt-fixes.patch
key=$(printf '%s\n' "$debian_version" "$compiler" "${options[@]}" "$(cat "$fixes")" | sha256sum |
  cut -c1-12)
# The windows preset finds Qt through the link qt-win64 here.
cache=$HOME/.cache/tavro
prefix=$cache/qt-$version-win64-$key

# One build at a time: a second run waits for the first, then reuses what
# it made.
mkdir -p "$cache"
exec 9>"$cache/qt-build.lock"
flock 9

if [ -f "$prefix/.complete" ]; then
  echo "Qt $version for Windows: reusing $prefix"
  ln -sfn "$prefix" "$cache/qt-win64"
  echo "$prefix"
  exit 0
fi

build-aux/debian-sources.sh

start=$SECONDS
work=$cache/qt-build-$key
rm -rf "$work"
mkdir -p "$work"
echo "Qt $version for Windows: fetching Debian's qt6-base $debian_version source"
if ! (cd "$work" && apt-get source --download-only -qq "qt6-base=$debian_version" >"$work/fetch.log" 2>&1); then
  cat "$work/fetch.log" >&2
  echo "build-qt-windows: could not fetch Debian's qt6-base $debian_version source" >&2
  exit 1
fi
# Unpacks the upstream source and applies Debian's patch series; a patch
# that does not apply fails the build.
if ! (cd "$work" && dpkg-source -x qt6-base_*.dsc source >"$work/unpack.log" 2>&1); then
  cat "$work/unpack.log" >&2
  echo "build-qt-windows: Debian's patches do not apply to the qt6-base source" >&2
  exit 1
fi
source_dir=$work/source
if ! patch -d "$source_dir" -p1 --forward --quiet <"$fixes" >"$work/fixes.log" 2>&1; then
  cat "$work/fixes.log" >&2
  echo "build-qt-windows: our fixes ($fixes) do not apply to the qt6-base source" >&2
  exit 1
fi
echo "Qt $version for Windows: Debian patches applied: $(grep -v '^#' "$source_dir/debian/patches/series" | grep -c .)"

echo "Qt $version for Windows: configuring ($((SECONDS - start)) s)"
cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work/configure.log" 2>&1 \
  || { tail -n 40 "$work/configure.log" >&2; exit 1; }

echo "Qt $version for Windows: building, about 20 minutes on two cores"
# Ninja's [done/total] lines, shown at each tenth of the way.
progress() {
  awk -v start="$(date +%s)" '
    match($0, /^\[[0-9]+\/[0-9]+\]/) {
      split(substr($0, 2, RLENGTH - 2), n, "/")
      tenth = int(10 * n[1] / n[2])
      if (tenth > shown) { shown = tenth; printf "  %d%% (%d s)\n", 10 * tenth, systime() - start; fflush() }
    }'
}
if ! NINJA_STATUS='[%f/%t] ' cmake --build "$work/build" 2>&1 | tee "$work/build.log" | progress; then
  grep -m 5 -A 10 'error' "$work/build.log" >&2
  exit 1
fi

cmake --install "$work/build" >/dev/null
# The licences of all that a program linked against this Qt holds: Qt's own,
# those of the third-party code built into it, and the mingw-w64 runtime's
# (GCC's runtime libraries with their exception; the CRT and winpthreads).
licenses=$prefix/licenses
mkdir -p "$licenses"
cp "$source_dir/LICENSES/LGPL-3.0-only.txt" "$licenses/LGPL-3.0.txt"
cp "$source_dir/LICENSES/GPL-3.0-only.txt" "$licenses/GPL-3.0.txt"
build-aux/qt-notices.py "$source_dir" "$licenses/Qt-third-party.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licenses/GCC-runtime.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$licenses/MinGW-w64-runtime.txt"
touch "$prefix/.complete"
ln -sfn "$prefix" "$cache/qt-win64"
rm -rf "$work"
echo "Qt $version for Windows: installed in $((SECONDS - start)) s"
echo "$prefix"
