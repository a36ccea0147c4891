#!/usr/bin/env bash
# Builds Tumblox and starts it from its own folder, full screen at 1024 × 768;
# arguments go to the game (for example -windowed, or -width:1280 -height:960).
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc)" --target tumblox
exec build/game/tumblox "$@"
