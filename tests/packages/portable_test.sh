#!/usr/bin/env bash
# The portable zip in a fresh prefix where nothing is registered, unzipped
# into a read-only folder whose path holds Chinese characters and blanks:
# the program creates its dice from the library beside it and writes
# nothing, neither in the registry nor in any file.
#   portable_test.sh ARCH ZIP PROBE
# The folder is made read-only by a bind mount in a mount namespace of the
# test's own, so that it holds for root too; Wine and its server run inside.
set -euo pipefail
source "$(dirname "$0")/../support/fail_loudly.sh"
if [ -z "${VESHA_PORTABLE_NAMESPACE:-}" ]; then
  exec env VESHA_PORTABLE_NAMESPACE=1 unshare --mount --propagation private "$0" "$@"
fi
arch=$1 zip=$2 probe=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/prefix.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"; "$WINESERVER" -k 2>/dev/null || true; stop_private_xvfb' EXIT

fresh_prefix "$arch" portable
folder="$DRIVE_C/随身 程序"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
program_dir="$folder/vesha"
mount --bind "$program_dir" "$program_dir"
mount -o remount,ro,bind "$program_dir"
if touch "$program_dir/probe" 2>/dev/null; then fail "the program folder is writable"; fi

out=$(run cscript //nologo "Z:$here/../dicectl/dice_script.vbs" 2>/dev/null | tr -d '\r' | head -n 1)
[ "$out" != "created True" ] || fail "Tumbix.Dice is registered in the fresh prefix"
snapshot "$work/before"

run "$program_dir/vesha.exe" &
program=$!
run "$probe" dice || fail "the portable program's dice window does not work"
wait "$program" || true
"$WINESERVER" -w
snapshot "$work/after"
same_snapshots "$work/before" "$work/after"
echo "ran from a read-only folder with no registration and wrote nothing"
