#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and its help viewer (no tests)
# and starts the program. With --web: builds the worksheet's web page instead
# and serves it at http://127.0.0.1:8080/ until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")"

if [[ ${1:-} == --web ]]; then
  ./web/build.sh
  echo "run.sh: the page is at http://127.0.0.1:8080/ (Ctrl+C stops the server)"
  exec python3 -m http.server --bind 127.0.0.1 8080 --directory build-web/site
fi
source scripts/setup.sh
pothenot_install

BUILD=${BUILD_DIR:-build}
# A new build folder leaves the tests out; one that ./test.sh made keeps them,
# and only the two programs are brought up to date.
if [[ -f "$BUILD/CMakeCache.txt" ]]; then
  cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON
else
  cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON -DBUILD_TESTING=OFF
fi
cmake --build "$BUILD" -j "$(nproc)" --target pothenot pothenot-help

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are empty); to run under a virtual X server: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec "$BUILD/ui/pothenot"
