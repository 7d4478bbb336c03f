#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up speed: times the program's start-up (up to the first drawing of the
# start window) against an empty Qt window, N runs of each taken in turns, and
# prints the medians of time and of peak memory and their ratios; a window
# with one label is timed too, as the floor of any window with text. The goals
# are a time ratio of at most 1.4 offscreen and 1.2 under a real X server, and
# a memory ratio of at most 1.2.
#   bench/startup/run.sh [runs] [offscreen|xcb]   (default 30 offscreen;
#                                                   BUILD_DIR as for ./test.sh)
# xcb runs every probe on one virtual X server (xvfb-run), started once, so
# that the server's own start-up weighs on neither side.
set -euo pipefail
cd "$(dirname "$0")/../.."
RUNS=${1:-30}
PLATFORM=${2:-offscreen}
BUILD=${BUILD_DIR:-build}

case "$PLATFORM" in
  offscreen) ;;
  xcb)
    if [[ -z "${POTHENOT_STARTUP_ON_XVFB:-}" ]]; then
      POTHENOT_STARTUP_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$RUNS" xcb
    fi
    ;;
  *) echo "usage: bench/startup/run.sh [runs] [offscreen|xcb]" >&2; exit 2 ;;
esac
export QT_QPA_PLATFORM=$PLATFORM

cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$BUILD" --target startup_probe -j "$(nproc)" >/dev/null
PROBE="$BUILD/bench/startup/startup_probe"

# One run: microseconds, a space, peak memory in kilobytes.
time_one() {
  local start end rss
  start=$(date +%s%N)
  rss=$("$PROBE" "$1" 2>/dev/null) || { echo "startup_probe $1 failed" >&2; exit 1; }
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $rss"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm the file cache first, so the first runs do not weigh on either side.
for kind in app empty text; do "$PROBE" "$kind" >/dev/null 2>&1; done

declare -A runs
for ((i = 0; i < RUNS; i++)); do
  for kind in app empty text; do runs[$kind]+="$(time_one "$kind")"$'\n'; done
done
med() { printf '%s' "${runs[$1]}" | awk -v c="$2" 'NF { print $c }' | median; }

awk -v a="$(med app 1)" -v e="$(med empty 1)" -v t="$(med text 1)" \
    -v am="$(med app 2)" -v em="$(med empty 2)" -v tm="$(med text 2)" -v n="$RUNS" -v p="$PLATFORM" 'BEGIN {
  goal = p == "xcb" ? 1.2 : 1.4
  printf "runs: %d each (%s), each up to the first drawing of its window\n", n, p
  printf "program start-up, median:          %.1f ms, %.1f MB peak\n", a / 1000, am / 1024
  printf "empty Qt window, median:           %.1f ms, %.1f MB peak\n", e / 1000, em / 1024
  printf "window with one label, median:     %.1f ms, %.1f MB peak\n", t / 1000, tm / 1024
  printf "time ratio program / empty window:   %.2f (goal: at most %.2f)\n", a / e, goal
  printf "memory ratio program / empty window: %.2f (goal: at most 1.20)\n", am / em
  printf "time ratio program / one label:      %.2f\n", a / t
}'
