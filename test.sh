#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
pothenot_install

BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON
cmake --build "$BUILD" -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"
