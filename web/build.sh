#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the worksheet's web page into build-web/site/: installs what is
# missing, builds MPFR for WebAssembly from Debian's source on mini-gmp (once:
# the installed library is kept in build-web/mpfr/), the engine into
# build-web/engine/, and the page around it. Quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
pothenot_install "${POTHENOT_WEB_PACKAGES[@]}"
# Debian's emscripten finds its JavaScript parser among Debian's Node modules.
export NODE_PATH=/usr/share/nodejs

root=$PWD
web=$root/build-web
jobs=$(nproc)
mkdir -p "$web"

as_root() { if [[ $(id -u) -ne 0 ]]; then sudo "$@"; else "$@"; fi; }

# MPFR's source comes from the archive the machine already uses: its sources
# list copied as deb-src, once.
build_mpfr() {
  [[ -f $web/mpfr/lib/libmpfr.a && -f $web/mpfr/include/mpfr-mini-gmp.h ]] && return 0
  local list=/etc/apt/sources.list.d/debian.sources
  local src_list=/etc/apt/sources.list.d/debian-src.sources
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed 's/^Types:.*/Types: deb-src/' "$list" | as_root tee "$src_list" >/dev/null
    as_root apt-get update -qq
  fi
  mkdir -p "$web/src"
  (
    cd "$web/src"
    ls -d mpfr4-*/ >/dev/null 2>&1 || apt-get source -qq mpfr4
    ls -d gmp-*/ >/dev/null 2>&1 || apt-get source -qq gmp
  )
  local mpfr_src gmp_src
  mpfr_src=$(ls -d "$web"/src/mpfr4-*/ | head -1)
  gmp_src=$(ls -d "$web"/src/gmp-*/ | head -1)
  (
    cd "$mpfr_src"
    [[ -f Makefile ]] || emconfigure ./configure --host=none --with-mini-gmp="${gmp_src}mini-gmp" \
      --disable-shared --prefix="$web/mpfr"
    emmake make -j"$jobs" install
  )
  # A program that includes mpfr.h on mini-gmp needs mini-gmp's header and
  # MPFR's own additions to it, which make install leaves out.
  cp "${gmp_src}mini-gmp/mini-gmp.h" "${mpfr_src}src/mpfr-mini-gmp.h" "$web/mpfr/include/"
}

# The engine: calc/ and its bindings, compiled by emscripten's CMake wrapper.
build_engine() {
  # Configured once; the build reconfigures itself when a CMakeLists.txt changes.
  if [[ ! -f $web/build/CMakeCache.txt ]]; then
    emcmake cmake -S . -B "$web/build" -DPOTHENOT_WEB=ON -DPOTHENOT_WERROR=ON \
      -DCMAKE_BUILD_TYPE=Release -DPOTHENOT_WEB_MPFR="$web/mpfr" >/dev/null
  fi
  cmake --build "$web/build" -j"$jobs" --target pothenot_engine
  mkdir -p "$web/engine"
  cp -p "$web/build/web/engine/pothenot_engine.mjs" "$web/build/web/engine/pothenot_engine.wasm" \
    web/engine/engine.mjs "$web/engine/"
}

# The site: the engine beside the page the generator makes, when it is there.
build_site() {
  mkdir -p "$web/site"
  cp -p "$web"/engine/* "$web/site/"
  if [[ -f web/tools/make_site.py ]]; then
    python3 web/tools/make_site.py --engine "$web/engine" --out "$web/site"
  fi
}

build_mpfr
build_engine
build_site
echo "build-web/site/ is ready"
