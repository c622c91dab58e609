#!/usr/bin/env bash
# The store builder refuses a lot it cannot store, names the lot and the
# character, and leaves no store behind.
set -euo pipefail
source "$(dirname "$0")/../support/fail_loudly.sh"
arch=$1 builder=$2 strokes=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/lots"
printf '@ 1\n第一签\n@ 2\n价格：5€\n' > "$work/lots/01.txt"
if "$(dirname "$0")/../../tools/wine-exec.sh" "$arch" "$builder" "Z:$strokes" "Z:$work/lots" "Z:$work/out.mdb" > "$work/log" 2>&1; then
  echo "the builder accepted a euro sign"; exit 1
fi
cat "$work/log"
grep -q 'lot 2: the character € (U+20AC) cannot be stored' "$work/log"
[ ! -e "$work/out.mdb" ] && [ ! -e "$work/out.mdb.tmp" ] || { echo "a store was left behind"; exit 1; }
