#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Idempotent: packages already present are not touched. Runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ca-certificates
  googletest libgtest-dev libgmock-dev
  nlohmann-json3-dev libplist-dev
  libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev
  libopencv-dnn-dev libopencv-videoio-dev libopencv-objdetect-dev opencv-data
  libdlib-dev libdlib-data
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6
  libx11-dev libxi-dev
  python3 xvfb xauth xdotool x11-utils openbox trayer dbus dbus-x11 imagemagick
)
# The npm client may come from a nodejs build that bundles it.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
