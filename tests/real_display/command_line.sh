#!/usr/bin/env bash
# The program's first argument as the user typed it, on the real display in $DISPLAY: "/ih" shows
# the information box alone and leaves no settings file; the toolkit's own options before it
# ("-reverse /ih") make "/ih" the second argument, so the main window opens. Both end with exit
# code 0. Usage: command_line.sh PROGRAM
set -u
program=${1:?usage: command_line.sh PROGRAM}
source "$(dirname "$0")/program.sh"

failures=0
fail() {
  echo "$1; the program said:"
  sed 's/^/    /' "$2/output.txt"
  failures=$((failures + 1))
}

# Starts the program with the arguments after the folder; the window titled $1 must come, and
# closing it (by the key or the window manager's close after it) must end the process with code 0.
expect() {
  local title=$1 folder=$2 close=$3
  shift 3
  qo_start "$folder" "$program" "$@"
  if ! qo_within 100 qo_window "$title"; then
    fail "'$*': no window '$title' within 10 s" "$folder"
    qo_stop
    return 1
  fi
  if [ "$close" = key ]; then
    xdotool windowactivate --sync "$wid" key Return >/dev/null 2>&1
  else
    wmctrl -i -c "$wid"
  fi
  if ! qo_within 50 test -s "$folder/rc"; then
    fail "'$*': still running 5 s after '$title' was closed" "$folder"
  elif [ "$(cat "$folder/rc")" != 0 ]; then
    fail "'$*': exit code $(cat "$folder/rc")" "$folder"
  fi
  qo_stop
}

expect "Tessel Info" "$work/info" key /ih
if ls "$work/info"/*.ini "$work/info/config"/*/*.ini >/dev/null 2>&1; then
  fail "'/ih' left a settings file" "$work/info"
fi
expect "Фишкодром" "$work/reverse" close -reverse /ih

[ "$failures" -eq 0 ] && echo "'/ih' and '-reverse /ih' behave as typed"
[ "$failures" -eq 0 ]
