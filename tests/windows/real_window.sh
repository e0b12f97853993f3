#!/usr/bin/env bash
# The Windows program in real windows: under Wine, on a private X display with a window manager, a
# player's Russian layout active, driven with xdotool as a player would drive it.
#   tests/windows/real_window.sh PROGRAM_FOLDER
# The folder is copied under a Cyrillic name and given a ticket file with a Cyrillic name, so wide
# paths are on trial too. Exits non-zero at the first check that fails, saying which.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/windows_tools.sh"
qo_windows_session "$1"
setxkbmap -layout ru,us # Wine reads the layout once, as it starts

printf '5;17;38;61;90;\r\n\r\n' >"$work/Билеты/первый.tkt"
check "the program starts, given a ticket file, and shows its main window" \
  qo_win_start "$program" "$(qo_win "$work/Билеты/первый.tkt")"
check "the main window's title is Фишкодром" test "$(xdotool getwindowname "$wid")" = "Фишкодром"
check "the ticket file's numbers stand in ticket 1" qo_wait_for 100 kept_has "^cells 5;17;;38;;;61;;90;"

# The number box has the focus at start; calling a number of the ticket turns its cell red.
xdotool windowactivate --sync "$wid"
sleep 0.3
shot before.png
xdotool type --delay 80 "17"
xdotool key --delay 80 Return
check "the call is kept" qo_wait_for 100 kept_has "^real 17"
sleep 0.5
shot after.png
red_before=$(red_pixels before.png) red_after=$(red_pixels after.png)
check "the called number's cell turned red ($red_before red pixels before, $red_after after)" \
  test "$red_after" -gt $((red_before + 100))

# Russian letters, the numero sign and digits typed into ticket 1's notes, as a player types them.
# Places are the window's own: the program lays its window out to the pixel.
xdotool mousemove --window "$wid" 440 140 click 1
sleep 0.3
xdotool type --delay 80 "Билет №1 у окна"
check "the typed notes are kept whole" qo_wait_for 100 kept_has "^notes %C1%E8%EB%E5%F2%20%B91%20%F3%20%EE%EA%ED%E0"

# A second ticket from the tickets menu (Alt+Б, then its first item).
xdotool key --delay 150 alt+Cyrillic_be Return
check "the tickets menu adds a ticket" qo_wait_for 100 kept_tickets 2

# The game window ("Игра", the menu bar's second item, which has no key of its own) has a fixed size:
# the window manager is told so.
xdotool mousemove --window "$wid" 93 9 click 1
check "the game window opens" qo_wait_for 100 qo_find_window "Игра"
game=$wid
check "the game window keeps its size" fixed_size "$game"
qo_find_window "Фишкодром"

check "the main window closes as its close button does" qo_win_close
check "the program ends with exit code 0 (it ended with $rc)" test "$rc" = 0
settings="$work/Фишкодром/Параметры.ini"
check "Параметры.ini lies beside the program" test -f "$settings"
check "Параметры.ini is Windows-1251 with CR LF line ends" \
  grep -q $'^\xd4\xee\xf0\xec\xe0\r$' <(sed 's/^\[//; s/\]//' "$settings")

# The end of the session (a log-off, a shut-down) closes the program as its close button does: the
# settings are written and the game is kept as closed, so the next start offers nothing back.
rm -f "$settings"
check "the program starts again" qo_win_start "$program"
xdotool windowactivate --sync "$wid"
xdotool type --delay 80 "45"
xdotool key --delay 80 Return
check "the call is kept" qo_wait_for 100 kept_has "^real 45"
wineboot --end-session --shutdown >/dev/null 2>&1 &
check "the session's end closes the program" qo_win_ended
check "the settings are written at the session's end" test -f "$settings"
check "the game is kept as closed" qo_wait_for 50 kept_has "^ended"
echo "The Windows program's real windows: every check passed"
