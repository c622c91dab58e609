#!/usr/bin/env bash
# Writes a portable zip whose bytes depend only on the files and the commit:
# entries in the order given, under one top folder, dated from the commit
# (or SOURCE_DATE_EPOCH), without the owner and time fields of Unix zips.
#   make-zip.sh OUT.zip TOP SOURCE_ROOT FILE...
set -euo pipefail
out=$(realpath -m "$1") top=$2 root=$3
shift 3
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}
if [ -z "$epoch" ]; then
  echo "make-zip.sh: no commit to date the entries from: set SOURCE_DATE_EPOCH" >&2
  exit 1
fi
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$top"
names=()
for f in "$@"; do
  cp "$f" "$stage/$top/"
  name="$top/$(basename "$f")"
  chmod 644 "$stage/$name"
  touch -d "@$epoch" "$stage/$name"
  names+=("$name")
done
# Zip keeps local time: read the epoch as UTC on every machine.
(cd "$stage" && TZ=UTC zip -X -D -9 -q "$stage/out.zip" "${names[@]}")
mv "$stage/out.zip" "$out"
