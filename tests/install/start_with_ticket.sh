#!/usr/bin/env bash
# Starts an installed program offscreen with a ticket file as its argument, as a file manager does
# for a double-clicked ticket, in a scratch FOLDER of its own (its settings and kept game land
# there). The ticket must come into the game the program keeps, with its numbers and notes, and the
# program must still be running. Usage: start_with_ticket.sh PROGRAM FOLDER
set -u
program=${1:?usage: start_with_ticket.sh PROGRAM FOLDER}
folder=${2:?usage: start_with_ticket.sh PROGRAM FOLDER}
mkdir -p "$folder/config" "$folder/data"
ticket="$folder/Билет бабушки.tkt"
printf '5;17;38;61;90;12;\r\nBabushka\r\n' >"$ticket"

QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$folder/config" XDG_DATA_HOME="$folder/data" \
  "$program" "$ticket" >"$folder/output.txt" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT

# The kept game is written about a second after a change; the opened ticket is the first change.
kept=
for ((i = 0; i < 300; i++)); do
  kept=$(find "$folder/data" -name 'Игра.txt' 2>/dev/null | head -n 1)
  [ -n "$kept" ] && grep -q '^cells ' "$kept" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done

failed=0
if ! kill -0 "$pid" 2>/dev/null; then
  echo "the program ended instead of running on"
  failed=1
fi
if [ -z "$kept" ] || ! grep -q '^cells ' "$kept"; then
  echo "no ticket came into the kept game within 30 s"
  failed=1
else
  # Card 1, rows 1 and 2: each number in its decade column, five to a row.
  grep -q $'^cells 5;17;;38;;;61;;90;;12;' "$kept" || { echo "the ticket's numbers are not the file's:"; grep '^cells ' "$kept"; failed=1; }
  grep -q $'^notes Babushka\r$' "$kept" || { echo "the ticket's notes are not the file's:"; grep '^notes ' "$kept"; failed=1; }
fi
if [ "$failed" = 1 ]; then
  echo "the program said:"
  sed 's/^/    /' "$folder/output.txt"
  exit 1
fi
echo "the ticket file opened into a ticket of the running program"
