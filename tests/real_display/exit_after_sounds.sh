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

if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: no DISPLAY"
  exit 77
fi
for tool in xdotool wmctrl; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qo-exit.XXXXXX")
pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  wait
  rm -rf "$work"
}
trap cleanup EXIT

# The close opens an advertisement page now and then: a stand-in browser keeps it off the machine.
mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
export BROWSER=true
# On the display, whatever platform the offscreen tests asked for.
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Polls the command after it every tenth of a second, for at most $1 tenths.
within() {
  local tenths=$1 i
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Every number 1…90 as key names, each followed by Return, as a player types them into the number box.
numbers=()
for n in $(seq 1 90); do
  for ((i = 0; i < ${#n}; i++)); do numbers+=("${n:i:1}"); done
  numbers+=(Return)
done

wid=
find_window() {
  wid=$(xdotool search --onlyvisible --pid "$pid" --name '^Фишкодром$' 2>/dev/null | head -n1)
  [ -n "$wid" ]
}

passed=0
failed=0
for ((run = 1; run <= runs && failed < 3; run++)); do
  # A fresh program folder for each run: the settings file lands there, not in the build tree.
  folder="$work/run$run"
  mkdir -p "$folder/config"
  cp "$program" "$(dirname "$program")"/Звук*.wav "$folder/"
  # The program runs under a subshell that keeps its exit code, so that the shell's own notice of
  # a crash stays out of the log; the run's report below says it once.
  (
    XDG_CONFIG_HOME="$folder/config" "$folder/$(basename "$program")" >"$folder/output.txt" 2>&1 &
    echo $! >"$folder/pid"
    wait $!
    echo $? >"$folder/rc"
  ) 2>/dev/null &
  within 50 test -s "$folder/pid"
  pid=$(cat "$folder/pid")

  if within 100 find_window; then
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1
    # The number box has the focus at start. Alt opens the menu bar: "Билеты → Новый" is the first
    # item of the first menu, "Заполнить все" its last.
    xdotool key --delay 40 alt Down Return
    xdotool key --delay 40 alt Down Up Return
    xdotool key --delay 1 "${numbers[@]}"
    wmctrl -i -c "$wid"
    # A clean exit takes well under a second; five are a hang.
    if within 50 test -s "$folder/rc"; then
      verdict="exit code $(cat "$folder/rc")"
    else
      verdict="still running 5 s after its window was closed (killed)"
    fi
  else
    verdict="its main window did not appear within 10 s"
  fi
  kill -9 "$pid" 2>/dev/null
  wait
  pid=
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
