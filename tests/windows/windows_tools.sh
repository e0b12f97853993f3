# What the Windows real-window scripts share. Sourced, not run.
#   qo_windows_session FOLDER   a private X display with openbox and us,ru, a Wine prefix, and a copy of
#                               the program folder FOLDER under a Cyrillic name: sets $work, $program
#   check TEXT COMMAND...       runs COMMAND; on failure says "FAILED: TEXT", keeps a picture, exits 1
#   qo_win_start EXE ARGS...    starts EXE under Wine and waits for its main window: sets $pid, $wid
#   qo_win_close                closes the main window as its close button does, waits: sets $rc
#   qo_win_ended                waits for the program to end: sets $rc
#   shot NAME                   a picture of the screen, $reports/NAME
#   red_pixels NAME             how many pixels of the picture are the cells' red
#   kept_has REGEX              whether a line of the kept game (Windows-1251) matches REGEX
#   qo_wait_for TENTHS COMMAND... polls COMMAND every tenth of a second (real_display.sh)
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$root/scripts/lib/real_display.sh"
source "$root/scripts/lib/wine.sh"

reports=${QO_WINDOWS_REPORTS:-$root/build-win/windows-reports}
mkdir -p "$reports"
work=
pid=
wid=
rc=

qo_windows_cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  pid=
  wineserver -k >/dev/null 2>&1 || true
  qo_real_display_stop
  [ -n "$work" ] && rm -rf "$work"
  return 0
}

check() {
  local text=$1
  shift
  if "$@"; then
    echo "ok: $text"
  else
    echo "FAILED: $text" >&2
    import -window root "$reports/failed.png" 2>/dev/null && echo "  the screen: $reports/failed.png" >&2
    exit 1
  fi
}

qo_windows_session() {
  local folder=$1
  qo_real_display_start >/dev/null || exit 1
  qo_wine_start "${QO_WINE_PREFIX:-$root/build-win/wine}"
  trap qo_windows_cleanup EXIT
  work=$(mktemp -d "${TMPDIR:-/tmp}/qo-windows.XXXXXX")
  mkdir -p "$work/Фишкодром" "$work/Билеты" "$work/bin"
  cp -r "$folder"/. "$work/Фишкодром/"
  program=$work/Фишкодром/fishkodrom.exe
  # The main window's close opens an advertisement page now and then: a browser that does nothing.
  printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
  chmod +x "$work/bin/xdg-open"
  export PATH="$work/bin:$PATH" BROWSER=true
  appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData"
  # No game or settings left by an earlier run.
  rm -rf "$appdata/Roaming/fishkodrom" "$appdata/Local/fishkodrom"
  kept=$appdata/Roaming/fishkodrom/Игра.txt
}

qo_win_start() {
  local exe=$1
  shift
  rc=
  (
    cd "$(dirname "$exe")"
    wine "$exe" "$@" >"$work/output.txt" 2>&1
    echo $? >"$work/rc"
  ) &
  pid=$!
  rm -f "$work/rc"
  wid=
  qo_wait_for 300 qo_find_window "Фишкодром" || return 1
}

qo_find_window() {
  wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
  [ -n "$wid" ]
}

qo_win_close() {
  wmctrl -c "Фишкодром" || return 1
  qo_win_ended
}

# Waits up to half a minute for the program to end: sets $rc.
qo_win_ended() {
  qo_wait_for 300 test -s "$work/rc" || return 1
  wait "$pid" 2>/dev/null || true
  pid=
  rc=$(cat "$work/rc")
}

shot() {
  import -window root "$reports/$1"
}

red_pixels() {
  convert "$reports/$1" -fill black +opaque "#FF0000" -fill white -opaque "#FF0000" \
    -format "%[fx:round(mean*w*h)]" info:
}

kept_has() {
  [ -f "$kept" ] && iconv -f cp1251 -t utf-8 "$kept" | tr -d '\r' | grep -q -- "$1"
}

kept_tickets() {
  [ -f "$kept" ] && [ "$(grep -c '^ticket ' "$kept")" = "$1" ]
}

# Whether the window manager was told a window's smallest and largest sizes are one size.
fixed_size() {
  local hints min max
  hints=$(xprop -id "$1" WM_NORMAL_HINTS)
  min=$(sed -n 's/.*minimum size: \(.*\)$/\1/p' <<<"$hints")
  max=$(sed -n 's/.*maximum size: \(.*\)$/\1/p' <<<"$hints")
  [ -n "$min" ] && [ "$min" = "$max" ]
}
