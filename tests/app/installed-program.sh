#!/usr/bin/env bash
# The installed program (run through run-with-xvfb.sh --wm --tray): every file
# in its place under a fresh prefix, the launcher starts the installed program
# with "helper", then the whole end-to-end run on the installed program.
#
#   installed-program.sh <build tree> <face picture>
set -euo pipefail

build=$1
picture=$2
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/spinewise-install.XXXXXX")
trap 'pkill -TERM -f "^$work/prefix/bin/spinewise" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/spinewise libexec/spinewise/spinewise-launcher \
            share/spinewise/models/face_detection_front_128x128.onnx share/spinewise/sounds/Basso.wav \
            share/spinewise/icons/status-correct.svg share/spinewise/icons/status-poor.svg \
            share/applications/com.brightfold.spinewise.desktop \
            share/icons/hicolor/scalable/apps/com.brightfold.spinewise.svg; do
  [ -f "$prefix/$file" ] || { echo "installed-program: $file is missing" >&2; exit 1; }
done

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$prefix/libexec/spinewise/spinewise-launcher"
for _ in $(seq 50); do
  pgrep -f "^$prefix/bin/spinewise helper\$" >/dev/null && break
  sleep 0.2
done
pgrep -f "^$prefix/bin/spinewise helper\$" >/dev/null \
  || { echo "installed-program: the launcher did not start $prefix/bin/spinewise helper" >&2; exit 1; }
pkill -TERM -f "^$prefix/bin/spinewise helper\$"

"$here/end-to-end.sh" "$prefix/bin/spinewise" "$picture"
