#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The page's browser tests: Debian's Chromium (/usr/bin/chromium), driven by
# puppeteer-core, against build-web/site (./web/build.sh makes it), compared
# with the desktop program build/ui/pothenot. Installs Chromium and the npm
# packages of package-lock.json when they are missing or out of date;
# POTHENOT_SITE and POTHENOT_BIN name another site or program. Arguments go
# to `node --test`.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/setup.sh
source "$here/../../scripts/setup.sh"
pothenot_install "${POTHENOT_BROWSER_PACKAGES[@]}"
pothenot_npm_ci "$here"
cd "$here"
exec node --test --test-concurrency=1 "$@" ./*.test.mjs
