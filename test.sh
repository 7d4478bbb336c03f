#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test in five builds:
#   build        the program and all its tests (the processor's 80-bit type)
#   build-mpfr   the worksheet engine and its tests on the MPFR emulation, in
#                Release (-O3), the build type packagers use
#   build-asan   everything again under AddressSanitizer and UBSan
#   build-tsan   the accuracy map's threads under ThreadSanitizer: the engine,
#                the map and its one test, nothing else
#   build-fuzz   the engine's libFuzzer targets (clang), each for a bounded time
#   build-web    the web page (./web/build.sh): its engine against build's under
#                Node, then the page in Debian's Chromium against build's program
# then the window tests of build a second time under Xvfb on the xcb platform.
# Exits non-zero at the first failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
pothenot_install "${POTHENOT_TEST_PACKAGES[@]}" "${POTHENOT_WEB_PACKAGES[@]}" "${POTHENOT_BROWSER_PACKAGES[@]}"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

step() { echo; echo "=== $* ==="; }

step "build: program and tests"
cmake -S . -B build -DPOTHENOT_WERROR=ON -DBUILD_TESTING=ON -DPOTHENOT_WEB_ENGINE="$PWD/build-web/engine"
cmake --build build -j "$jobs"

step "build-mpfr: engine on the emulated extended type, Release"
cmake -S . -B build-mpfr -DPOTHENOT_WERROR=ON -DPOTHENOT_WITH_UI=OFF -DPOTHENOT_EMULATED_EXTENDED=ON \
  -DCMAKE_BUILD_TYPE=Release
cmake --build build-mpfr -j "$jobs"

step "build-asan: everything under the sanitizers"
cmake -S . -B build-asan -DPOTHENOT_WERROR=ON -DPOTHENOT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
  -DPOTHENOT_CROSSCHECK_COUNT=10000
cmake --build build-asan -j "$jobs"

step "build-tsan: the accuracy map's threads under ThreadSanitizer"
cmake -S . -B build-tsan -DPOTHENOT_WERROR=ON -DPOTHENOT_TSAN=ON
cmake --build build-tsan -j "$jobs"

step "build-fuzz: libFuzzer targets"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DPOTHENOT_WERROR=ON -DPOTHENOT_FUZZ=ON \
  -DPOTHENOT_WITH_UI=OFF -DPOTHENOT_FUZZ_SECONDS=30 -DPOTHENOT_CROSSCHECK_COUNT=10000
cmake --build build-fuzz -j "$jobs"

step "build-web: the page, its engine against build's, the page in Chromium"
./web/build.sh
ctest --test-dir build --output-on-failure -R '^WebEngineAgreesWithNative$'
POTHENOT_BIN=$PWD/build/ui/pothenot tests/web/run.sh

# Leaks are errors; the suppressions name only libraries outside the project.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for dir in build-mpfr build-fuzz build-tsan build-asan build; do
  step "tests: $dir"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" -LE xcb -E '^WebEngineAgreesWithNative$'
done

# The window, application and help tests again, each on its own virtual X
# server; one at a time, so that the servers do not race for a display number.
step "tests: build, windows on a real X server (Xvfb, xcb)"
ctest --test-dir build --output-on-failure -L xcb
