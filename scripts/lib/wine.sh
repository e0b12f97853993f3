# A Wine prefix of the run's own for the Windows tests. Sourced, not run.
#   qo_wine_start FOLDER   makes (or reuses) the prefix FOLDER, exports WINEPREFIX and keeps one
#                          wine server running for the tests, stopped on exit
#   qo_win PATH            prints the Windows form of a Linux path (Z:\…)
export WINEDEBUG=-all
export WINEARCH=win64
# No prompt to install Wine's .NET and browser parts into a fresh prefix: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

qo_win() {
  winepath -w "$1" 2>/dev/null
}

qo_wine_start() {
  export WINEPREFIX=$(mkdir -p "$1" && cd "$1" && pwd)
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Wine: making the prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
  fi
  # A server left by an earlier run may hold a desktop on a display that has gone: start afresh, then
  # keep one server for every program the tests start, so each start is a fraction of a second.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 || true
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
}
