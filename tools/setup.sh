#!/usr/bin/env bash
# Installs every Debian package that building, playing and testing Tumblox needs.
# A quick no-op when all of them are present already.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libmpg123-dev libpng-dev libjpeg-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-dejavu-core fonts-liberation2
  sox libsox-fmt-mp3 lame python3 libjpeg-turbo-progs
  xvfb xauth xdotool
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
