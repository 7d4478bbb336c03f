#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_package.sh BUILD_DIR: packs BUILD_DIR with `cpack -G DEB` into a
# temporary folder and checks what apt would install: the two programs, the
# help file, the desktop entry, the icons, the software centre's metainfo, the
# manual pages, the copyright file and the changelog, nothing outside the
# usual places, dependencies found from the binaries and none of the
# test-only libraries; then Debian's own check, lintian, where it is installed.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
debs=("$work"/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}

# Files (not folders) as "mode path".
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $1, $6 }' >"$work/files"
for expected in \
  "-rwxr-xr-x /usr/bin/pothenot" \
  "-rwxr-xr-x /usr/bin/pothenot-help" \
  "-rwxr-xr-x /usr/libexec/pothenot/pothenot-windows" \
  "-rw-r--r-- /usr/share/pothenot/HELP.HLP" \
  "-rw-r--r-- /usr/share/applications/pothenot.desktop" \
  "-rw-r--r-- /usr/share/icons/hicolor/scalable/apps/pothenot.svg" \
  "-rw-r--r-- /usr/share/icons/hicolor/16x16/apps/pothenot.png" \
  "-rw-r--r-- /usr/share/icons/hicolor/32x32/apps/pothenot.png" \
  "-rw-r--r-- /usr/share/metainfo/ru.pothenot.pothenot.metainfo.xml" \
  "-rw-r--r-- /usr/share/mime/packages/pothenot.xml" \
  "-rw-r--r-- /usr/share/icons/hicolor/scalable/mimetypes/application-x-pothenot-sheet.svg" \
  "-rw-r--r-- /usr/share/man/man1/pothenot.1.gz" \
  "-rw-r--r-- /usr/share/man/man1/pothenot-help.1.gz" \
  "-rw-r--r-- /usr/share/doc/pothenot/copyright" \
  "-rw-r--r-- /usr/share/doc/pothenot/changelog.gz"; do
  grep -qxF -- "$expected" "$work/files" || fail "missing or wrong mode: $expected"
done
# Whatever else the package holds stays in the program's own places.
if grep -vE ' /usr/(bin/pothenot(-help)?|libexec/pothenot/pothenot-windows|share/(pothenot|applications|icons/hicolor|metainfo|mime/packages|man/man1|doc/pothenot)/)' \
  "$work/files"; then
  fail "files outside the program's places (above)"
fi

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == pothenot && $(field Architecture) == "$(dpkg --print-architecture)" ]] ||
  fail "package or architecture"
[[ $(field Maintainer) == *@* ]] || fail "no maintainer address"
description=$(field Description)
[[ $description == *"surveyor's resection"* && $description == *"Обратная засечка"* ]] ||
  fail "description is not in English and Russian"
depends=$(field Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 fonts-urw-base35 \
  qt6-translations-l10n; do
  grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
if grep -E 'gtest|gmock|benchmark|mpfr|qt6test' <<<"$names"; then
  fail "Depends names a test-only library (above): $depends"
fi

# The desktop entry and the metainfo, as the package installs them.
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/pothenot.desktop" | tee "$work/desktop.log"
[[ ! -s $work/desktop.log ]] || fail "desktop-file-validate has remarks"
grep -qx 'MimeType=application/x-pothenot-sheet;' "$work/root/usr/share/applications/pothenot.desktop" ||
  fail "the desktop entry does not open sheet files"
# The sheet file's type as the desktop reads it: known by its name, a kind
# of JSON.
mkdir -p "$work/mime/packages" && cp "$work/root/usr/share/mime/packages/pothenot.xml" \
  /usr/share/mime/packages/freedesktop.org.xml "$work/mime/packages/"
update-mime-database "$work/mime" >"$work/mime.log" 2>&1 ||
  { cat "$work/mime.log" >&2; fail "update-mime-database"; }
grep -qx 'application/x-pothenot-sheet:\*\.pothenot' "$work/mime/globs" &&
  grep -qx 'application/x-pothenot-sheet application/json' "$work/mime/subclasses" || fail "mime type"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/ru.pothenot.pothenot.metainfo.xml" ||
  fail "appstreamcli validate"
grep -qx '<project_license>GPL-3.0-or-later</project_license>' \
  <(tr -d ' ' <"$work/root/usr/share/metainfo/ru.pothenot.pothenot.metainfo.xml") ||
  fail "the metainfo does not name the licence GPL-3.0-or-later"

# Debian's own check: no error and no warning.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || status=$?
  grep -v '^running with root privileges' "$work/lintian.log" || true
  [[ ${status:-0} -eq 0 ]] || fail "lintian (above)"
else
  echo "lintian is not installed: the package was not checked by Debian's own rules" \
    "(apt-get install lintian)"
fi
echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes; Depends: $depends"
