#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and testing need on Debian 12, only what is missing.
# Sourced by ./run.sh, which needs only the program's packages, and by
# ./test.sh, which adds the test packages: pothenot_install "${POTHENOT_TEST_PACKAGES[@]}".
set -euo pipefail

# The program and the help viewer; qt6-translations-l10n: Qt's own dialogs in
# Russian; nlohmann-json3-dev: the sheet file's JSON, read and written by the engine.
POTHENOT_PACKAGES=(
  g++ cmake make
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev qt6-translations-l10n nlohmann-json3-dev
  fonts-dejavu-core fonts-urw-base35 locales
  poppler-utils
)

# The tests, benchmarks and fuzzers; xvfb and xauth run the window tests on a
# real X server, xdotool and openbox press keys there through the server under
# a real window manager; dpkg-dev (dpkg-shlibdeps), desktop-file-utils, appstream and
# lintian build and check the Debian package; python3-markdown: the web page's
# generator, which make_site_test runs.
POTHENOT_TEST_PACKAGES=(
  pkg-config libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool openbox
  dpkg-dev desktop-file-utils appstream lintian
  python3-markdown
)

# The web page (./web/build.sh): emscripten compiles the engine to
# WebAssembly; python3 generates the page, python3-markdown turns the help's
# topics into the page's help; dpkg-dev (apt-get source) fetches MPFR's and
# GMP's source (xz-utils unpacks it), built with make.
POTHENOT_WEB_PACKAGES=(
  emscripten python3 python3-markdown dpkg-dev make xz-utils
)

# The page's browser tests and benchmarks (tests/web/, bench/web/): Debian's
# own Chromium, which puppeteer-core drives (no test tool downloads a browser).
POTHENOT_BROWSER_PACKAGES=(
  chromium
)

pothenot_missing_packages() {
  local missing=()
  for p in "${POTHENOT_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

pothenot_install() {
  local missing
  missing=$(pothenot_missing_packages "$@")
  if [[ -n "$missing" ]]; then
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    echo "Installing: $missing"
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
  fi
  # The tests check that number texts ignore the process's locale; they need
  # one locale whose decimal separator is a comma.
  if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}

# The npm packages of the folder's package-lock.json (puppeteer-core for the
# browser tests), installed by `npm ci` only when they are missing or the lock
# changed since. Node.js and npm come with the machine; Debian's are taken
# where they are missing.
pothenot_npm_ci() {
  local dir=$1
  if ! command -v npm >/dev/null; then
    pothenot_install nodejs npm
  fi
  if ! cmp -s "$dir/package-lock.json" "$dir/node_modules/.pothenot-lock.json"; then
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$dir/package-lock.json" "$dir/node_modules/.pothenot-lock.json"
  fi
}
