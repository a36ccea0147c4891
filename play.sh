#!/usr/bin/env bash
# Builds Tumblox and starts it from its own folder; arguments go to the game
# (for example -windowed -width:1280 -height:960).
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc)"
if [ ! -x build/game/tumblox ]; then
  echo "Tumblox cannot start yet: its start-up code is not written. ./test.sh builds and tests what exists." >&2
  exit 1
fi
exec build/game/tumblox "$@"
