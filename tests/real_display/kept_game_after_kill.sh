#!/usr/bin/env bash
# The kept game on the real display: a player adds a ticket, fills it and calls ten numbers; the
# process is killed; the next start offers the game back ("Подтверждение"), Yes puts it back, the
# game goes on from there, and a close through the window manager ends with exit code 0 and a file
# that says the run closed.
# Usage: kept_game_after_kill.sh PROGRAM   (PROGRAM's folder also holds the sounds)
set -u
program=${1:?usage: kept_game_after_kill.sh PROGRAM}

source "$(dirname "$0")/program.sh"

folder="$work/run"
kept="$folder/data/fishkodrom/Игра.txt"
calls=()
for n in $(seq 1 10); do
  for ((i = 0; i < ${#n}; i++)); do calls+=("${n:i:1}"); done
  calls+=(Return)
done
fail() {
  echo "$1; the program said:"
  sed 's/^/    /' "$folder/output.txt"
  [ -f "$kept" ] && sed 's/^/    kept: /' "$kept"
  exit 1
}

qo_start "$folder" "$program"
qo_within 100 qo_window Фишкодром || fail "the main window did not appear"
xdotool windowactivate --sync "$wid" >/dev/null 2>&1
# "Билеты → Новый", then "Заполнить все", each chosen by the letter its caption marks (the
# layouts' Russian group gives it), then ten calls.
xdotool key --delay 40 alt Down Cyrillic_en
xdotool key --delay 40 alt Down Cyrillic_ze
xdotool key --delay 20 "${calls[@]}"
# Written about a second after the last change.
qo_within 50 grep -q "^real 1 2 3 4 5 6 7 8 9 10" "$kept" || fail "the game was not kept within 5 s"
before=$(grep -E "^(ticket|cells) " "$kept")
qo_stop
rm -f "$folder/rc" "$folder/pid"

qo_start "$folder" "$program"
qo_within 100 qo_window Подтверждение || fail "no offer to put the game back after the kill"
# No is the default: Shift+Tab goes to Yes, Space presses it.
xdotool windowactivate --sync "$wid" >/dev/null 2>&1
xdotool key --delay 40 shift+Tab space
qo_within 50 qo_window Фишкодром || fail "the main window is gone"
# One more call goes on from the game put back: the moves follow the ten kept ones.
xdotool windowactivate --sync "$wid" >/dev/null 2>&1
xdotool key --delay 40 1 1 Return
wmctrl -i -c "$wid"
qo_within 50 test -s "$folder/rc" || fail "still running 5 s after its window was closed"
[ "$(cat "$folder/rc")" = 0 ] || fail "exit code $(cat "$folder/rc")"
grep -q "^ended" "$kept" || fail "the closed run's file does not say it closed"
grep -q "^real 1 2 3 4 5 6 7 8 9 10 11$(printf '\r')\?$" "$kept" || fail "the game went on without the moves kept before the kill"
after=$(grep -E "^(ticket|cells) " "$kept")
[ "$before" = "$after" ] || fail "the game put back is not the game kept before the kill"
echo "killed after ten calls; offered, put back, closed with exit code 0; the game is the same"
