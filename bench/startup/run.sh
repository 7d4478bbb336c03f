#!/usr/bin/env bash
# Start-up speed: times the program's start-up (up to the first drawing of the
# start window) against an empty Qt window, N runs of each taken in turns, and
# prints the medians and their ratio; a window with one label is timed too, as
# the floor of any window with text. The goal is a ratio of at most 1.3.
#   bench/startup/run.sh [runs]      (default 30; BUILD_DIR as for ./test.sh)
# Runs offscreen unless QT_QPA_PLATFORM says otherwise.
set -euo pipefail
cd "$(dirname "$0")/../.."
RUNS=${1:-30}
BUILD=${BUILD_DIR:-build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

if [[ ! -d "$BUILD" ]]; then
  cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON >/dev/null
fi
cmake --build "$BUILD" --target startup_probe -j "$(nproc)" >/dev/null
PROBE="$BUILD/bench/startup/startup_probe"

# One run, in microseconds.
time_one() {
  local start end
  start=$(date +%s%N)
  "$PROBE" "$1" >/dev/null 2>&1 || { echo "startup_probe $1 failed" >&2; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm the file cache first, so the first runs do not weigh on either side.
"$PROBE" app >/dev/null 2>&1
"$PROBE" empty >/dev/null 2>&1
"$PROBE" text >/dev/null 2>&1

app_times=()
empty_times=()
text_times=()
for ((i = 0; i < RUNS; i++)); do
  app_times+=("$(time_one app)")
  empty_times+=("$(time_one empty)")
  text_times+=("$(time_one text)")
done

app_median=$(printf '%s\n' "${app_times[@]}" | median)
empty_median=$(printf '%s\n' "${empty_times[@]}" | median)
text_median=$(printf '%s\n' "${text_times[@]}" | median)
awk -v a="$app_median" -v e="$empty_median" -v t="$text_median" -v n="$RUNS" 'BEGIN {
  printf "runs: %d each (%s), each up to the first drawing of its window\n", n, ENVIRON["QT_QPA_PLATFORM"]
  printf "program start-up, median:          %.1f ms\n", a / 1000
  printf "empty Qt window, median:           %.1f ms\n", e / 1000
  printf "window with one label, median:     %.1f ms\n", t / 1000
  printf "ratio program / empty window: %.2f (goal: at most 1.30)\n", a / e
  printf "ratio program / one label:    %.2f\n", a / t
}'
