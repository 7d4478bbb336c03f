#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The page's benchmarks: builds the site (./web/build.sh, quick when nothing
# changed), then measures and prints
#   - the page ready for typing, from a local server, with an empty cache;
#   - «Вычислить» in the page;
#   - the whole site compressed: gzip -9 of each file, summed.
# Goals: ≤ 1 s, ≤ 20 ms, ≤ 1.5 MB. A measurement, not a test: it fails only
# when it cannot measure. RUNS sets the page loads measured (default 9).
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/setup.sh
pothenot_install "${POTHENOT_BROWSER_PACKAGES[@]}"
[[ ${SKIP_BUILD:-} == 1 ]] || ./web/build.sh
pothenot_npm_ci tests/web

echo "=== the site compressed (gzip -9 of each file) ==="
total=0
while IFS= read -r -d '' file; do
  bytes=$(stat -c %s "$file")
  packed=$(gzip -9 -c "$file" | wc -c)
  printf '%10d %10d  %s\n' "$bytes" "$packed" "${file#build-web/site/}"
  total=$((total + packed))
done < <(find build-web/site -type f -print0 | sort -z)
awk -v t="$total" 'BEGIN { printf "site, gzip -9 of each file summed: %d bytes = %.3f MB (goal ≤ 1.5 MB)\n", t, t / 1e6 }'

node bench/web/page_bench.mjs
