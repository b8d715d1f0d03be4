#!/usr/bin/env bash
# Screenshots of the real program for the README, taken on a private X server
# with a window manager and a tray host, a replayed face as the camera:
#
#   tests/support/run-with-xvfb.sh --wm --tray tools/take-screenshots.sh <spinewise> <face picture> <output folder>
set -euo pipefail

program=$1
picture=$2
out=$3
mkdir -p "$out"

work=$(mktemp -d "${TMPDIR:-/tmp}/spinewise-shots.XXXXXX")
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/com.brightfold.spinewise" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

mkdir -p "$work/camera"
convert "$picture" -crop 300x300+74+0 +repage -resize 480x480 "$work/camera/frame.png"
export SPINEWISE_REPLAY_DEVICES=$work/camera

# Settings with a week of history, shown on start-up.
python3 - "$XDG_DATA_HOME/com.brightfold.spinewise/preferences.plist" <<'PY'
import json, sys, time
now = time.time() - 978307200  # seconds since 2001-01-01
states = ["correct", "poor", "correct", "unknown", "correct", "poor", "correct", "correct"]
history = [{"state": s, "start": now - 3600 * (len(states) - i)} for i, s in enumerate(states)]
json.dump({"scheduleInterval": 2, "correctPostureTime": 10, "poorPostureTime": 15, "unknownPostureTime": 30,
           "eyeLevelInPercent": 0.62, "notificationColor": {"red": 1, "green": 0.35, "blue": 0.2, "alpha": 1},
           "notificationTransparency": 0.5, "playNotificationSound": True, "notificationSoundFilename": "Basso.wav",
           "keyCombo": {"keyCode": 35, "modifiers": 0x100 | 0x800, "doubledModifiers": False},
           "showStatusBarItem": True, "showPreferencesWindowOnStartUp": True, "launchAtLogin": False,
           "history": history}, open(sys.argv[1], "w"))
PY

wait_for_window() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 && return 0
    sleep 0.2
  done
  echo "take-screenshots: no window \"$1\"" >&2
  return 1
}
shoot_window() { sleep 1.5; import -frame -window "$1" "$out/$2.png"; }
# Clicks the tab `offset` pixels right of the centre of the window's tab row.
click_tab() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --window "$1" $((WIDTH / 2 + $2)) 13 click 1
}

"$program" >"$work/log" 2>&1 &
pid=$!

window=$(wait_for_window Calibration)
shoot_window "$window" preferences-calibration
click_tab "$window" 0
window=$(wait_for_window Notifications)
shoot_window "$window" preferences-notifications
click_tab "$window" 94
window=$(wait_for_window Monitoring)
shoot_window "$window" preferences-monitoring
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
sleep 1

# The tray menu: the icon is the tray host's first entry, at its left end.
tray=$(xdotool search --onlyvisible --name '^panel$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove $((X + 11)) $((Y + HEIGHT / 2)) click 1
sleep 1.5
import -window root -crop 440x480+$((X + WIDTH - 440))+0 +repage "$out/tray-menu.png"

# "Good Posture" is the menu's first enabled item: it opens the history.
xdotool key Down Return
window=$(wait_for_window History)
shoot_window "$window" history
echo "take-screenshots: written to $out"
