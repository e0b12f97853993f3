# Running the program itself on the real display in $DISPLAY, for the group's scripts. Sourced.
# Skips (exit 77) without a display or the X tools; makes a work folder that goes on exit, a
# stand-in browser (the main window's close opens an advertisement page now and then), and
#   qo_within TENTHS COMMAND...   polls COMMAND every tenth of a second
#   qo_start FOLDER PROGRAM ARGS  copies PROGRAM and its sounds into FOLDER and starts it there;
#                                 sets $pid, and FOLDER/rc gets the exit code when it ends; the
#                                 data folder (the kept game) is FOLDER/data unless $QO_DATA_HOME
#                                 names one the starts share
#   qo_window NAME                sets $wid to the program's visible window titled NAME
#   qo_stop                       kills what is left of the program
if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: no DISPLAY"
  exit 77
fi
for tool in xdotool wmctrl xprop; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qo-program.XXXXXX")
pid=
wid=
qo_stop() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  wait
  pid=
}
trap 'qo_stop; rm -rf "$work"' EXIT

mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
export BROWSER=true
# On the display, whatever platform the offscreen tests asked for.
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

qo_within() {
  local tenths=$1 i
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

qo_start() {
  local folder=$1 program=$2
  shift 2
  # A folder of its own: the settings file and the kept game land there, not in the build tree or
  # the user's home, and no run finds a game another left.
  mkdir -p "$folder/config"
  cp "$program" "$(dirname "$program")"/Звук*.wav "$folder/"
  # A subshell keeps the exit code, and keeps the shell's own notice of a crash out of the log.
  (
    XDG_CONFIG_HOME="$folder/config" XDG_DATA_HOME="${QO_DATA_HOME:-$folder/data}" "$folder/$(basename "$program")" "$@" >"$folder/output.txt" 2>&1 &
    echo $! >"$folder/pid"
    wait $!
    echo $? >"$folder/rc"
  ) 2>/dev/null &
  qo_within 50 test -s "$folder/pid"
  pid=$(cat "$folder/pid")
}

# xdotool's own name search does not match Cyrillic titles reliably: the title is read as the
# window manager shows it and compared whole.
qo_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    if [ "$(xprop -id "$w" _NET_WM_NAME 2>/dev/null)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ]; then
      wid=$w
      return 0
    fi
  done
  return 1
}
