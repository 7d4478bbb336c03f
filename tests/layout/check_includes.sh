#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each room includes only the rooms ARCHITECTURE.md allows it. Prints every
# include that crosses a wall, and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/../.."
declare -A allowed=(
  [calc]="calc"
  [ui/common]="calc ui/common"
  [ui/sheet]="calc ui/common ui/sheet"
  [ui/document]="calc ui/common ui/sheet ui/document"
  [ui/drawing]="calc ui/common ui/sheet ui/document ui/drawing"
  [ui/marking]="calc ui/common ui/sheet ui/marking"
  [ui/methods]="calc ui/common ui/sheet ui/methods"
  [ui/files]="calc ui/common ui/sheet ui/document ui/files"
  [ui/paper]="calc ui/common ui/sheet ui/document ui/drawing ui/methods ui/paper"
  [ui/classcheck]="calc ui/common ui/sheet ui/document ui/marking ui/paper ui/classcheck"
  [ui/app]="calc ui/common ui/sheet ui/document ui/drawing ui/marking ui/methods ui/files ui/paper ui/classcheck ui/app help"
  [help]="help"
  [web/engine]="calc"
)
status=0
for room in "${!allowed[@]}"; do
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*"((calc|help)|ui\/[a-z]+)\/.*/\1/' <<<"$include")
    if [[ " ${allowed[$room]} " != *" $target "* ]]; then
      echo "$file:$line: $room may not include $target"
      status=1
    fi
  done < <(grep -rnE '^#include "(calc|help|ui/[a-z]+)/' "$room" --include='*.h' --include='*.cpp' || true)
done
exit $status
