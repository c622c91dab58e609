#!/usr/bin/env bash
# Copies files into a folder for packing, each readable by all and dated
# from the commit (or SOURCE_DATE_EPOCH), so that the packages made from
# them depend only on their contents and the commit.
#   stage.sh FOLDER SOURCE_ROOT FILE...
set -euo pipefail
folder=$1 root=$2
shift 2
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}
if [ -z "$epoch" ]; then
  echo "stage.sh: no commit to date the files from: set SOURCE_DATE_EPOCH" >&2
  exit 1
fi
mkdir -p "$folder"
for f in "$@"; do
  name="$folder/$(basename "$f")"
  cp "$f" "$name"
  chmod 644 "$name"
  touch -d "@$epoch" "$name"
done
