#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web page's engine against the native one, in one command: builds the
# site (./web/build.sh), then in the native build ($BUILD_DIR, default build)
# the command line and the batch driver, and runs WebEngineAgreesWithNative.
set -euo pipefail
cd "$(dirname "$0")/../.."
./web/build.sh
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -DPOTHENOT_WERROR=ON -DBUILD_TESTING=ON \
  -DPOTHENOT_WEB_ENGINE="$PWD/build-web/engine"
cmake --build "$BUILD" -j "$(nproc)" --target pothenot web_engine_batch
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD" -R WebEngineAgreesWithNative --output-on-failure
