#!/usr/bin/env bash
# A script host creates the dice control by its ProgID and uses it late
# bound. cscript exits 0 even when a script fails, so its output is what
# tells.
set -euo pipefail
source "$(dirname "$0")/../support/fail_loudly.sh"
arch=$1
out=$("$(dirname "$0")/../../tools/wine-exec.sh" "$arch" cscript //nologo "Z:$(dirname "$(realpath "$0")")/dice_script.vbs" 2>/dev/null | tr -d '\r')
echo "$out"
expected='created True
HalfChance 0
Resizeable True
HalfChance 4
Resizeable False
refused True
HalfChance 4
ran'
[ "$out" = "$expected" ] || { echo "expected:"; echo "$expected"; exit 1; }
