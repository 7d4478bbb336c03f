#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
pothenot_install

BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON
cmake --build "$BUILD" -j "$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are empty); to run under a virtual X server: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec "$BUILD/ui/pothenot"
