#!/usr/bin/env bash
# The installer in a fresh prefix: a silent install puts the program, its
# Start-menu entries and the control's registration in place; the program
# hosts two live dice; a newer installer replaces it and an older one is
# refused; uninstalling leaves the prefix as it was before.
#   installer_test.sh ARCH MSI NEXT_MSI VERSION NEXT_VERSION PRODUCT_NAME PROBE
set -euo pipefail
source "$(dirname "$0")/../support/fail_loudly.sh"
arch=$1 msi=$2 next_msi=$3 version=$4 next_version=$5 product=$6 probe=$7
here=$(cd "$(dirname "$0")" && pwd)
source "$here/prefix.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"; "$WINESERVER" -k 2>/dev/null || true; stop_private_xvfb' EXIT

fresh_prefix "$arch" installer
# The script host registers its own type library on its first run.
echo 'WScript.Quit' >"$work/nothing.vbs"
run cscript //nologo "Z:$work/nothing.vbs" >/dev/null 2>&1
snapshot "$work/before"
program_dir="$DRIVE_C/Program Files/vesha"

run msiexec /i "Z:$msi" /qn || fail "msiexec /i returned $?"
for f in vesha.exe tumbix.ocx veshalib.mdb bck_001.bmp m_sh.bmp a_large.bmp a_med.bmp a_small.bmp guide.html; do
  [ -f "$program_dir/$f" ] || fail "$f is not in Program Files/vesha"
done
for lnk in "$product" 使用说明; do
  [ -n "$(find "$DRIVE_C" -path "*/Start Menu/Programs/$product/$lnk.lnk")" ] || fail "no Start-menu shortcut $lnk"
done

# The control is registered for clients of its own bitness.
out=$(run cscript //nologo "Z:$here/../dicectl/dice_script.vbs" 2>/dev/null | tr -d '\r' | head -n 1)
[ "$out" = "created True" ] || fail "the script host cannot create Tumbix.Dice: '$out'"

# The installed program hosts two live dice.
run "$program_dir/vesha.exe" &
program=$!
run "$probe" dice || fail "the installed program's dice window does not work"
wait "$program" || true

# "name version" of each installed product of this publisher, from
# Programs and Features' entries.
installed_versions() {
  run regedit /E "Z:$work/uninstall.reg" 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
    >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$work/uninstall.reg" | tr -d '\r' | awk -v RS= '/"Publisher"="vesha"/ {
    name = $0; sub(/.*"DisplayName"="/, "", name); sub(/".*/, "", name)
    version = $0; sub(/.*"DisplayVersion"="/, "", version); sub(/".*/, "", version)
    print name, version }'
}
[ "$(installed_versions)" = "$product $version" ] || fail "installed: '$(installed_versions)', not $product $version"

run msiexec /i "Z:$next_msi" /qn || fail "upgrading to $next_version returned $?"
[ "$(installed_versions)" = "$product $next_version" ] || fail "after the upgrade: '$(installed_versions)'"
[ -f "$program_dir/vesha.exe" ] || fail "the upgrade left no program"

if run msiexec /i "Z:$msi" /qn; then fail "installing $version over $next_version was not refused"; fi
[ "$(installed_versions)" = "$product $next_version" ] || fail "after the refused downgrade: '$(installed_versions)'"

run msiexec /x "Z:$next_msi" /qn || fail "msiexec /x returned $?"
"$WINESERVER" -w
snapshot "$work/after"
same_snapshots "$work/before" "$work/after"
echo "installed, upgraded, refused the downgrade and uninstalled without a trace"
