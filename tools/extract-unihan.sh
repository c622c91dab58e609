#!/bin/sh
# Keeps the lines of the Unihan fields named from a compressed Unihan file:
#   extract-unihan.sh ARCHIVE OUT FIELD...
set -e
archive=$1 out=$2
shift 2
pattern=$(printf '\t%s\t\n' "$@")
bzcat "$archive" | grep -F "$pattern" > "$out.tmp"
mv "$out.tmp" "$out"
