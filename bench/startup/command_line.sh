#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line's speed as whole processes: `pothenot --calculate` of one
# sheet file against an empty QCoreApplication program (core_probe), N runs of
# each taken in turns, and the ratio of their medians (goal: at most 2); then
# `pothenot --check --json` over a class of 1 000 sheet files (goal: at most
# 1 s in all), its median over N / 5 runs.
#   bench/startup/command_line.sh [runs]   (default 31; BUILD_DIR as for ./test.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
RUNS=${1:-31}
BUILD=${BUILD_DIR:-build}

cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$BUILD" --target pothenot core_probe -j "$(nproc)" >/dev/null
PROGRAM="$BUILD/ui/pothenot"
PROBE="$BUILD/bench/startup/core_probe"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# The class: variants 1 … 1000, calculated; the first one is the sheet
# that --calculate is timed on.
for ((n = 1; n <= 1000; n++)); do
  "$PROGRAM" --variant "$n" >"$WORK/v.pothenot"
  "$PROGRAM" --calculate "$WORK/v.pothenot" >"$WORK/$n.pothenot"
done

us() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for kind in 1 2 3; do "$PROBE"; "$PROGRAM" --calculate "$WORK/1.pothenot" >/dev/null; done
calc="" core=""
for ((i = 0; i < RUNS; i++)); do
  calc+="$(us "$PROGRAM" --calculate "$WORK/1.pothenot")"$'\n'
  core+="$(us "$PROBE")"$'\n'
done
class=""
for ((i = 0; i < (RUNS + 4) / 5; i++)); do
  class+="$(us "$PROGRAM" --check --json "$WORK"/[0-9]*.pothenot)"$'\n'
done
awk -v c="$(printf '%s' "$calc" | median)" -v e="$(printf '%s' "$core" | median)" \
    -v k="$(printf '%s' "$class" | median)" -v n="$RUNS" 'BEGIN {
  printf "runs: %d each, start to exit\n", n
  printf "pothenot --calculate, one sheet, median:  %.1f ms\n", c / 1000
  printf "empty QCoreApplication, median:           %.1f ms\n", e / 1000
  printf "ratio (goal: at most 2):                  %.2f\n", c / e
  printf "pothenot --check --json, 1000 sheets:     %.0f ms (goal: at most 1000 ms)\n", k / 1000
}'
