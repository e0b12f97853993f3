#!/usr/bin/env bash
# Plays the program as a player would, on the real display in $DISPLAY, until all three sounds
# have played (a ticket filled at random, then every number 1…90 called), then closes its main
# window through the window manager: the process must end by itself with exit code 0, every time.
# Usage: exit_after_sounds.sh PROGRAM [RUNS]   (PROGRAM's folder also holds the sounds)
# Exits 77 (skipped) without a display or the X tools it drives the program with. Stops after the
# third failed run, which shows the pattern as well as twenty would.
set -u
program=${1:?usage: exit_after_sounds.sh PROGRAM [RUNS]}
runs=${2:-20}

source "$(dirname "$0")/program.sh"

# Every number 1…90 as key names, each followed by Return, as a player types them into the number box.
numbers=()
for n in $(seq 1 90); do
  for ((i = 0; i < ${#n}; i++)); do numbers+=("${n:i:1}"); done
  numbers+=(Return)
done

passed=0
failed=0
for ((run = 1; run <= runs && failed < 3; run++)); do
  folder="$work/run$run"
  qo_start "$folder" "$program"
  if qo_within 100 qo_window Фишкодром; then
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1
    # The number box has the focus at start. Alt and Down open the first menu, "Билеты"; an item
    # is chosen by the letter its caption marks, wherever it stands: "&Новый", "&Заполнить все".
    xdotool key --delay 40 alt Down Cyrillic_en
    xdotool key --delay 40 alt Down Cyrillic_ze
    xdotool key --delay 1 "${numbers[@]}"
    wmctrl -i -c "$wid"
    # A clean exit takes well under a second; five are a hang.
    if qo_within 50 test -s "$folder/rc"; then
      verdict="exit code $(cat "$folder/rc")"
    else
      verdict="still running 5 s after its window was closed (killed)"
    fi
  else
    verdict="its main window did not appear within 10 s"
  fi
  qo_stop
  if [ "$verdict" = "exit code 0" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "run $run: $verdict; the program said:"
    sed 's/^/    /' "$folder/output.txt"
  fi
  rm -rf "$folder"
done

echo "$passed of $((passed + failed)) runs ended with exit code 0 (of $runs asked)"
[ "$failed" -eq 0 ]
