#!/usr/bin/env bash
# The end of a session, as Linux tells it to a program: SIGTERM (a log-out, a shut-down) and SIGHUP (its
# terminal gone). Each closes the program as its close button does: exit code 0, the window's place
# written to the settings file, the game kept as a closed run, so the next start offers nothing back.
# Usage: session_end.sh PROGRAM   (PROGRAM's folder also holds the sounds)
set -u
program=${1:?usage: session_end.sh PROGRAM}

source "$(dirname "$0")/program.sh"

fail() {
  echo "$1; the program said:"
  sed 's/^/    /' "$folder/output.txt"
  exit 1
}

for signal in TERM HUP; do
  folder="$work/$signal"
  kept="$folder/data/fishkodrom/Игра.txt"
  qo_start "$folder" "$program"
  qo_within 100 qo_window Фишкодром || fail "the main window did not appear"
  xdotool windowactivate --sync "$wid" >/dev/null 2>&1
  xdotool key --delay 40 alt Down Return 2 3 Return
  qo_within 50 grep -q "^real 23" "$kept" || fail "the call was not kept within 5 s"
  kill -"$signal" "$pid"
  qo_within 50 test -s "$folder/rc" || fail "still running 5 s after SIG$signal"
  [ "$(cat "$folder/rc")" = 0 ] || fail "exit code $(cat "$folder/rc") after SIG$signal"
  test -f "$folder/Параметры.ini" || fail "no settings written at SIG$signal"
  grep -q "^ended" "$kept" || fail "the game was kept as a crashed run after SIG$signal"
  rm -f "$folder/rc" "$folder/pid"

  qo_start "$folder" "$program"
  qo_within 100 qo_window Фишкодром || fail "the main window did not appear again"
  sleep 1
  qo_window Подтверждение && fail "the start after SIG$signal offers the game back as after a crash"
  wmctrl -i -c "$wid"
  qo_within 50 test -s "$folder/rc" || fail "still running 5 s after its window was closed"
  qo_stop
  echo "SIG$signal: closed with exit code 0, settings written, the game kept as closed, nothing offered"
done
