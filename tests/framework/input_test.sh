#!/usr/bin/env bash
# Types and clicks into the input probe's window on a virtual X display and
# compares what reached its callbacks with what should have.
# Usage: input_test.sh <input_probe>
set -euo pipefail
probe=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -eu
  # The suite runs offscreen; this test needs the real (virtual) display.
  SDL_VIDEODRIVER=x11 "$1" -windowed -startx:0 -starty:0 -noerrormsgboxes > "$2/log" 2> "$2/err" &
  probe=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "Input probe" | head -n1)
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool key a
  xdotool key Left
  xdotool key alt+Left
  xdotool mousemove --window "$window" 100 50 click 1
  xdotool mousemove --window "$window" 10 20 click 3
  xdotool key q
  # Q closes it; a probe that missed Q is stopped and the log tells.
  for _ in $(seq 200); do kill -0 "$probe" 2>/dev/null || break; sleep 0.1; done
  kill "$probe" 2>/dev/null || true
' input_test "$probe" "$work" || true

if ! diff -u "$here/input_expected.txt" "$work/log"; then
  echo "--- the probe wrote to standard error:"
  cat "$work/err"
  exit 1
fi
