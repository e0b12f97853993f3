# A real X display for the tests that offscreen cannot serve: Xvfb on a free display number, the
# openbox window manager, and the keyboard layouts us,ru (as a Russian player has them). Sourced,
# not run. qo_real_display_start exports DISPLAY and installs a trap that stops both on exit;
# qo_real_display_stop may also be called earlier.

QO_XVFB_PID=
QO_WM_PID=
QO_DISPLAY_LOG=

# Waits up to $1 tenths of a second for the command after it to succeed.
qo_wait_for() {
  local tenths=$1 i
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

qo_real_display_start() {
  QO_DISPLAY_LOG=$(mktemp -d "${TMPDIR:-/tmp}/qo-display.XXXXXX")
  # -displayfd: the server picks a free number itself and writes it once it accepts connections,
  # so two sessions on one machine never race for the same number.
  # -noreset: the server would otherwise start over as the last client leaves (the check below),
  # refusing whoever comes next (openbox) for a moment.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$QO_DISPLAY_LOG/number" \
    >"$QO_DISPLAY_LOG/xvfb.log" 2>&1 &
  QO_XVFB_PID=$!
  trap qo_real_display_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  if ! qo_wait_for 100 test -s "$QO_DISPLAY_LOG/number"; then
    echo "Xvfb did not start:" >&2
    cat "$QO_DISPLAY_LOG/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$QO_DISPLAY_LOG/number")"
  qo_wait_for 50 xdpyinfo || { echo "display $DISPLAY does not answer" >&2; return 1; }

  openbox --sm-disable >"$QO_DISPLAY_LOG/openbox.log" 2>&1 &
  QO_WM_PID=$!
  # wmctrl -m answers once a window manager has announced itself on the root window.
  if ! qo_wait_for 100 wmctrl -m; then
    echo "openbox did not start:" >&2
    cat "$QO_DISPLAY_LOG/openbox.log" >&2
    return 1
  fi
  setxkbmap -layout us,ru || return 1
  echo "Real display $DISPLAY: Xvfb (pid $QO_XVFB_PID), openbox (pid $QO_WM_PID), layouts us,ru"
}

qo_real_display_stop() {
  local pid
  for pid in $QO_WM_PID $QO_XVFB_PID; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  QO_WM_PID=
  QO_XVFB_PID=
  [ -n "$QO_DISPLAY_LOG" ] && rm -rf "$QO_DISPLAY_LOG"
  QO_DISPLAY_LOG=
}
