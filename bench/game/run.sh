#!/usr/bin/env bash
# Prints the game loop's figures on a level, on all cores and on two:
# frame cost unpaced, steps a second and processor use paced, processor use
# paused, start to first frame and resident memory. 10 s a run (or $1).
# Usage: bench/game/run.sh [SECONDS], after a normal build in build/.
set -euo pipefail
cd "$(dirname "$0")/../.."
bench=build/bench/game/game_loop_bench
seconds=${1:-10}
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1

figure() { grep "^$1 " <<< "$2" | cut -d' ' -f2; }

report() {
  local label=$1; shift
  local unpaced paced paused
  unpaced=$("$@" "$bench" unpaced "$seconds" 2>/dev/null)
  paced=$("$@" "$bench" paced "$seconds" 2>/dev/null)
  paused=$("$@" "$bench" paused "$seconds" 2>/dev/null)
  echo "== $label, level $(figure level "$paced")"
  echo "frame cost unpaced:        $(figure frame_ms "$unpaced") ms"
  echo "game steps a second paced: $(figure steps_per_second "$paced")"
  echo "processor paced:           $(figure cpu_cores "$paced") cores"
  echo "processor paused:          $(awk '{printf "%.1f", $1 * 100}' <<< "$(figure cpu_cores "$paused")") % of a core"
  echo "start to first frame:      $(figure start_to_first_frame_ms "$paced") ms"
  echo "resident in the level:     $(figure resident_mb "$paced") MB (peak $(figure peak_resident_mb "$paced") MB)"
}

report "all $(nproc) cores" env
report "2 cores" taskset -c 0,1 env LP_NUM_THREADS=2
