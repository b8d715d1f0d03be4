#!/usr/bin/env bash
# Runs a command on a private virtual X server and returns the command's status.
#
#   run-with-xvfb.sh [--wm] [--tray] [--] command [arguments...]
#
#   --wm    start the openbox window manager first
#   --tray  start a system tray host (trayer) first
#
# The server takes a free display number (Xvfb -displayfd) and is ready when
# the command starts, with DISPLAY set; everything started here is stopped at
# the end, whatever happens.
set -euo pipefail

with_wm=false
with_tray=false
while [ $# -gt 0 ]; do
  case "$1" in
    --wm) with_wm=true; shift ;;
    --tray) with_tray=true; shift ;;
    --) shift; break ;;
    -*) echo "run-with-xvfb.sh: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
if [ $# -eq 0 ]; then
  echo "usage: run-with-xvfb.sh [--wm] [--tray] [--] command [arguments...]" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/run-with-xvfb.XXXXXX")
started=()
# Stops what was started, the latest first.
stop_all() {
  local index
  for ((index = ${#started[@]} - 1; index >= 0; index--)); do
    kill "${started[index]}" 2>/dev/null || true
    wait "${started[index]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits up to ten seconds for a readiness probe to succeed.
wait_until() {
  local what=$1; shift
  for _ in $(seq 200); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "run-with-xvfb.sh: $what did not start" >&2
  return 1
}

# Xvfb writes its display number to the pipe once it accepts connections.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
started+=($!)
# Opened for reading and writing, the pipe does not block when Xvfb fails early.
exec {display_pipe}<>"$work/display"
if ! read -r -t 10 -u "$display_pipe" number; then
  echo "run-with-xvfb.sh: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
exec {display_pipe}>&-
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11

if $with_wm; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  started+=($!)
  wait_until "openbox" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
fi

if $with_tray; then
  trayer --edge top --align right --widthtype request --height 24 >"$work/trayer.log" 2>&1 &
  started+=($!)
  # trayer takes the tray selection before it shows its panel window.
  wait_until "the tray host" xdotool search --class trayer
fi

# In the background, so that a signal to this script is handled at once.
"$@" &
started+=($!)
set +e
wait "$!"
status=$?
set -e
exit "$status"
