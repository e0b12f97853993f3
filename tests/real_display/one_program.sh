#!/usr/bin/env bash
# One program per kept game, with real processes on the real display in $DISPLAY. Ticket files given
# to later starts (all at once, or two starts at the same moment, as a file manager makes them) open
# in the program already running, in order, and it comes to the front; those starts end with exit
# code 0 and no window. A later start with no files runs a window of its own that offers no
# "crashed" game and writes nothing over the kept one. A program killed leaves its folder to the
# next start. Usage: one_program.sh PROGRAM   (PROGRAM's folder also holds the sounds)
set -u
program=${1:?usage: one_program.sh PROGRAM}

source "$(dirname "$0")/program.sh"

export QO_DATA_HOME="$work/data"
kept="$QO_DATA_HOME/fishkodrom/Игра.txt"
fail() {
  kill -9 "${first_pid:-}" "${plain_pid:-}" 2>/dev/null
  echo "$1; the programs said:"
  for out in "$work"/*/output.txt; do
    echo "  ${out#"$work"/}:"
    sed 's/^/    /' "$out"
  done
  exit 1
}
# A start that hands its files over must end by itself, with code 0 and no window of its own.
handed() {
  local folder=$1
  qo_within 100 test -s "$folder/rc" || fail "a start given files still runs after 10 s ($folder)"
  [ "$(cat "$folder/rc")" = 0 ] || fail "a start given files ended with code $(cat "$folder/rc")"
}
# The cells lines of the kept game, one a ticket, as the first program keeps them.
cells() { grep -s '^cells ' "$kept" | sed 's/^cells //'; }
tickets_kept() { [ "$(cells | wc -l)" = "$1" ]; }
in_front() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

printf '5;17;38;61;90;\r\n\r\n' >"$work/первый.tkt"
printf '1;22;33;44;55;\r\n\r\n' >"$work/второй.tkt"
printf '2;13;24;35;46;\r\n\r\n' >"$work/third.tkt"
printf '3;14;25;36;47;\r\n\r\n' >"$work/fourth.tkt"

qo_start "$work/first" "$program"
first_pid=$pid
qo_within 100 qo_window Фишкодром || fail "the first program's window did not appear"
first_wid=$wid
xdotool windowactivate --sync "$first_wid" >/dev/null 2>&1
# A ticket with a called number: a later start that read this game would take it for a crashed one.
xdotool key --delay 40 alt Down Return 2 3 Return
qo_within 50 grep -qs "^real 23" "$kept" || fail "the first program did not keep its game within 5 s"

# Several files selected and opened: one start gets them all, and the program put away comes back.
xdotool windowminimize --sync "$first_wid" >/dev/null 2>&1
pid=
qo_start "$work/second" "$program" "$work/первый.tkt" "$work/второй.tkt"
handed "$work/second"
qo_within 50 tickets_kept 3 || fail "the first program did not get the two files within 5 s"
[ "$(cells | sed -n 2,3p | cut -d';' -f1-2 | tr '\n' ' ')" = "5;17 1; " ] ||
  fail "the files were not opened in the order given: $(cells | tr '\n' '|')"
qo_within 50 in_front "$first_wid" ||
  fail "the first program's window did not come to the front"

# Two files double-clicked one after the other: two starts at the same moment.
pid=
qo_start "$work/third" "$program" "$work/third.tkt" &
together=$!
qo_start "$work/fourth" "$program" "$work/fourth.tkt"
wait "$together" 2>/dev/null
handed "$work/third"
handed "$work/fourth"
qo_within 50 tickets_kept 5 || fail "the first program did not get both files at once: $(cells | wc -l) tickets"

# A plain second start: a window of its own, no offer of the running game, nothing written over it.
before=$(sha256sum "$kept")
qo_start "$work/plain" "$program"
plain_pid=$pid
qo_within 100 qo_window Фишкодром || fail "a plain second start showed no window"
sleep 1.5
for w in $(xdotool search --onlyvisible --pid "$plain_pid" 2>/dev/null); do
  xprop -id "$w" _NET_WM_NAME 2>/dev/null | grep -q Подтверждение &&
    fail "a plain second start offered the running game back as a crashed one"
done
xdotool windowactivate --sync "$wid" >/dev/null 2>&1
xdotool key --delay 40 alt Down Return 4 4 Return
sleep 1.5
wmctrl -i -c "$wid"
qo_within 50 test -s "$work/plain/rc" || fail "the plain second start still runs 5 s after its close"
[ "$(cat "$work/plain/rc")" = 0 ] || fail "the plain second start ended with code $(cat "$work/plain/rc")"
[ "$(sha256sum "$kept")" = "$before" ] || fail "a plain second start wrote over the kept game"

# Killed, the first leaves the folder: the next start with a file keeps the game and opens it itself.
kill -9 "$first_pid"
qo_within 50 test -s "$work/first/rc" || fail "the first program did not die"
pid=
qo_start "$work/after" "$program" "$work/первый.tkt"
qo_within 100 qo_window Фишкодром || fail "after the first was killed, a start with a file showed no window"
qo_within 50 qo_window Подтверждение || fail "after a real crash the next start did not offer the game back"
qo_stop
echo "files from later starts opened in the running program, in order, its window in front; a plain start kept nothing; a killed program's folder was taken over"
