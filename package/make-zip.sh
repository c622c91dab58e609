#!/usr/bin/env bash
# Writes a portable zip whose bytes depend only on the files and the commit:
# entries in the order given, under one top folder, dated as stage.sh dates
# them, without the owner and time fields of Unix zips.
#   make-zip.sh OUT.zip TOP SOURCE_ROOT FILE...
set -euo pipefail
out=$(realpath -m "$1") top=$2 root=$3
shift 3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$(dirname "$0")/stage.sh" "$stage/$top" "$root" "$@"
names=()
for f in "$@"; do names+=("$top/$(basename "$f")"); done
# Zip keeps local time: read the dates as UTC on every machine.
(cd "$stage" && TZ=UTC zip -X -D -9 -q "$stage/out.zip" "${names[@]}")
mv "$stage/out.zip" "$out"
