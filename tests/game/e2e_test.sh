#!/usr/bin/env bash
# Runs the play tests on a virtual X display against the built game.
# Usage: e2e_test.sh <e2e_play_tests> <tumblox>
set -euo pipefail
export TUMBLOX_GAME=$(realpath "$2")
exec xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1 "$1"
