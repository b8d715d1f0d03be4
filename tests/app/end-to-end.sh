#!/usr/bin/env bash
# The whole tray program on a real X server (run through run-with-xvfb.sh --wm --tray):
#   1. the first start opens the preferences window;
#   2. closing it leaves the program running; SIGTERM saves the settings;
#   3. started again in live mode with short posture times, a replayed face
#      that moves below the eye level raises the coloured overlay,
#   4. and moving back up takes it away;
#   5. SIGTERM writes the history: poor, then correct.
# With SCREENSHOT_DIR set, screenshots of the windows and the tray menu go there.
#
#   end-to-end.sh <spinewise executable> <face picture>
set -euo pipefail

program=$1
picture=$2
shots=${SCREENSHOT_DIR:-}

work=$(mktemp -d "${TMPDIR:-/tmp}/spinewise-e2e.XXXXXX")
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
settings=$XDG_DATA_HOME/com.brightfold.spinewise/preferences.plist
log=$work/spinewise.log

fail() { echo "end-to-end: $*" >&2; echo "--- program output" >&2; cat "$log" >&2; exit 1; }

# The replayed camera: one picture, replaced while the program runs. The face
# sits in the upper or the lower half of a square frame.
camera=$work/camera
mkdir -p "$camera"
convert "$picture" -crop 240x240+104+10 +repage "$work/face.png"
convert -size 480x480 xc:'#808080' "$work/face.png" -geometry +120+0 -composite "$work/up.png"
convert -size 480x480 xc:'#808080' "$work/face.png" -geometry +120+240 -composite "$work/down.png"
show_face() { cp "$work/$1.png" "$work/next.png" && mv "$work/next.png" "$camera/frame.png"; }
show_face up
export SPINEWISE_REPLAY_DEVICES=$camera

# Polls `condition` (a shell command) every 0.2 s for up to `seconds`.
wait_for() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}
visible_window() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
screenshot() { [ -z "$shots" ] || import -window root "$shots/$1.png"; }
# The colour of the screen's pixel at (x, y) as "r,g,b" (0-255).
pixel() { convert x:root[1x1+$1+$2] -depth 8 -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:; }
start_program() {
  "$program" >>"$log" 2>&1 &
  pid=$!
}
stop_program() {
  kill -TERM "$pid"
  wait "$pid" || fail "the program ended with status $? on SIGTERM"
  pid=
}

# 1-2. First start.
start_program
wait_for 30 visible_window Calibration || fail "the first start did not open the preferences window"
screenshot preferences-calibration
window=$(xdotool search --onlyvisible --name '^Calibration$' | head -1)
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 || true
no_window() { ! visible_window "$1"; }
wait_for 10 no_window Calibration || fail "the preferences window did not close"
kill -0 "$pid" || fail "the program ended when its window closed"
stop_program
[ -f "$settings" ] || fail "SIGTERM did not save $settings"

# 3-5. Live mode, short posture times, a blue overlay without transparency.
python3 - "$settings" <<'PY'
import json, sys
path = sys.argv[1]
settings = json.load(open(path))
settings.update(scheduleInterval=0, correctPostureTime=1, poorPostureTime=1, unknownPostureTime=1,
                eyeLevelInPercent=0.5, notificationTransparency=0, playNotificationSound=False,
                notificationColor={"red": 0, "green": 0, "blue": 1, "alpha": 1}, history=[])
json.dump(settings, open(path, "w"))
PY
start_program
sleep_until_monitoring() { grep -q "correct" "$log"; }
wait_for 30 sleep_until_monitoring || fail "no posture was seen in the replayed picture"
[ "$(pixel 5 5)" != "0,0,255" ] || fail "the overlay is up while the posture is correct"

show_face down
overlay_up() { [ "$(pixel 5 5)" = "0,0,255" ]; }
wait_for 30 overlay_up || fail "poor posture did not raise the overlay (pixel $(pixel 5 5))"
screenshot overlay

show_face up
overlay_gone() { ! overlay_up; }
wait_for 30 overlay_gone || fail "correct posture did not take the overlay away"
stop_program

python3 - "$settings" <<'PY' || fail "the saved history is wrong"
import json, sys
states = [entry["state"] for entry in json.load(open(sys.argv[1]))["history"]]
print("history:", states)
assert "poor" in states, states
assert states[states.index("poor"):][:2] == ["poor", "correct"], states
PY
echo "end-to-end: passed"
