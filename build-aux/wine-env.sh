# The Windows test setting, sourced by the Windows scripts: wine, and a
# Chinese locale, under which wine's ANSI code page is 936.
build-aux/setup-deps.sh wine wine64 locales

export LOCPATH=$HOME/.cache/tavro/locale
if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8"
fi
unset LC_ALL
export LANG=zh_CN.UTF-8
export WINEDEBUG=-all

# Uses the wine prefix `dir`, creating it first if need be: without one, wine
# would create it on the first test, which then times out.
use_wine_prefix() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # No Mono or Gecko: there is nothing to download them from, and wine
    # would stop to ask.
    WINEDLLOVERRIDES='mscoree,mshtml=' wineboot --init >/dev/null 2>&1
    wineserver --wait
  fi
}

# Runs a wine command that sets the prefix up (reg, winecfg), again up to
# twice when it fails: right after a prefix is made or another test's wine
# ends, wine now and then fails such a command for no reason of ours.
wine_setup() {
  local attempt
  for attempt in 1 2 3; do
    "$@" && return 0
    echo "wine-env: '$*' failed (attempt $attempt)" >&2
    wineserver --wait
    sleep 1
  done
  return 1
}
