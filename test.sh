#!/usr/bin/env bash
# Builds Tumblox and runs every test: a normal build, a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzzer for
# FUZZ_SECONDS (60 by default; 0 skips them).
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh

JOBS=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

run_suite() { # build dir, extra cmake flags...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" > /dev/null
  cmake --build "$dir" -j "$JOBS"
  ctest --test-dir "$dir" --output-on-failure -j "$JOBS"
}

echo "== normal build"
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== sanitizer build"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DTUMBLOX_SANITIZE=ON -DTUMBLOX_BENCH=OFF

if [ "$FUZZ_SECONDS" -gt 0 ]; then
  echo "== fuzzing, ${FUZZ_SECONDS}s per target"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTUMBLOX_FUZZ=ON > /dev/null
  cmake --build build-fuzz -j "$JOBS"
  pids=()
  # The targets' own messages on refused input are muted; libFuzzer and the
  # sanitizers still report through a stream of their own.
  for target in $(find build-fuzz/tests -type f -name 'fuzz_*' -perm -u+x | sort); do
    name=$(basename "$target")
    work=$(mktemp -d)
    seeds=tests/corpus/$name
    [ -d "$seeds" ] || seeds=""
    echo "fuzzing $name"
    "$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=3 \
      -artifact_prefix="$work/" "$work" $seeds > "$work/log" 2>&1 &
    pids+=("$!:$name:$work")
  done
  failed=0
  for entry in "${pids[@]}"; do
    IFS=: read -r pid name work <<< "$entry"
    if wait "$pid"; then
      echo "$name: $(grep -o 'Done [0-9]* runs.*' "$work/log" | tail -1)"
    else
      echo "$name FOUND A FAULT:"; tail -40 "$work/log"; failed=1
    fi
  done
  [ $failed -eq 0 ] || exit 1
fi
echo "all tests passed"
