#!/usr/bin/env bash
# Closing never waits on sound or speech: with the voice on, the program is started, plays its
# sounds and speaks a draw, and is closed through the window manager, RUNS times, against a speech
# service and a sound server that hang, then that are missing; each close must end the process
# within 2 s, with exit code 0 and the settings written.
# Usage: close_with_stuck_audio.sh PROGRAM STUCK_SERVICE [RUNS]   (PROGRAM's folder holds the sounds)
set -u
program=${1:?usage: close_with_stuck_audio.sh PROGRAM STUCK_SERVICE [RUNS]}
stuck=${2:?usage: close_with_stuck_audio.sh PROGRAM STUCK_SERVICE [RUNS]}
runs=${3:-20}

source "$(dirname "$0")/program.sh"

# Not a child of this shell: qo_stop waits for every child, and this one never ends by itself.
("$stuck" "$work/speech.sock" "$work/sound.sock" >/dev/null 2>&1 & echo $! >"$work/service.pid")
service=$(cat "$work/service.pid")
trap 'kill "$service" 2>/dev/null; qo_stop; rm -rf "$work"' EXIT

failed=0
slowest=0
for ((run = 1; run <= runs && failed < 3; run++)); do
  folder="$work/run$run"
  mkdir -p "$folder"
  # The voice on, as a player who turned it on last time.
  printf '[Ведущий]\r\nГолос=1\r\n' | iconv -f utf-8 -t cp1251 >"$folder/Параметры.ini"
  if ((run <= runs / 2)); then
    export SPEECHD_ADDRESS="unix_socket:$work/speech.sock" PULSE_SERVER="unix:$work/sound.sock"
  else
    export SPEECHD_ADDRESS="unix_socket:$work/nobody.sock" PULSE_SERVER="unix:$work/nobody.sock"
  fi
  qo_start "$folder" "$program"
  verdict=
  if qo_within 100 qo_window Фишкодром; then
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1
    # A ticket filled and a number called: the sounds are asked for.
    xdotool key --delay 40 alt Down Cyrillic_en
    xdotool key --delay 40 alt Down Cyrillic_ze
    xdotool key --delay 20 1 Return 2 Return 3 Return
    # Past the program's bounded wait for the speech service's first answer.
    sleep 2.5
    start=$(date +%s%N)
    wmctrl -i -c "$wid"
    if qo_within 50 test -s "$folder/rc"; then
      took=$((($(date +%s%N) - start) / 1000000))
      ((took > slowest)) && slowest=$took
      if [ "$(cat "$folder/rc")" != 0 ]; then
        verdict="exit code $(cat "$folder/rc")"
      elif ((took > 2000)); then
        verdict="the close took $took ms"
      elif ! grep -q "^Left=" <(iconv -f cp1251 -t utf-8 "$folder/Параметры.ini"); then
        verdict="the window's place was not written"
      fi
    else
      verdict="still running 5 s after its window was closed"
    fi
  else
    verdict="its main window did not appear within 10 s"
  fi
  qo_stop
  if [ -n "$verdict" ]; then
    failed=$((failed + 1))
    echo "run $run ($([ "$run" -le $((runs / 2)) ] && echo hung || echo missing) services): $verdict; the program said:"
    sed 's/^/    /' "$folder/output.txt"
  fi
  rm -rf "$folder"
done
echo "$((run - 1 - failed)) of $((run - 1)) closes ended within 2 s with exit code 0; the slowest took $slowest ms"
[ "$failed" -eq 0 ]
