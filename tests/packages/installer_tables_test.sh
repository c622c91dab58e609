#!/usr/bin/env bash
# An installer read as a database, without installing it (so also for an
# architecture the host cannot run): its platform, its folder, the bitness
# of its components, the control's entries in the registry view of that
# platform, and the Chinese texts.
#   installer_tables_test.sh MSI x86|x64 PRODUCT_NAME
set -euo pipefail
source "$(dirname "$0")/../support/fail_loudly.sh"
msi=$1 arch=$2 product=$3
# Whole tables in variables: grep -q may stop reading early.
table() { msiinfo export "$msi" "$1" | tail -n +4 | tr -d '\r'; }

case $arch in
  x86) template=Intel folder=ProgramFilesFolder platform=win32 bits64=0 ;;
  x64) template=x64 folder=ProgramFiles64Folder platform=win64 bits64=256 ;;
esac
summary=$(msiinfo suminfo "$msi")
directory=$(table Directory) components=$(table Component) registry=$(table Registry)
properties=$(table Property) shortcuts=$(table Shortcut)
grep -q "^Template: $template;" <<<"$summary" || fail "the platform is not $template"
grep -q "^INSTALLDIR	$folder	vesha$" <<<"$directory" || fail "not installed under $folder"
awk -F'\t' -v want="$bits64" '{ if (int($4 / 256) % 2 * 256 != want) bad = bad " " $1 } END { if (bad) { print "components of the other bitness:" bad; exit 1 } }' <<<"$components"
grep -q "\\\\1.0\\\\409\\\\$platform	" <<<"$registry" || fail "the type library is not entered for $platform"
[ "$(grep -c '\[#tumbix.ocx\]' <<<"$registry")" -ge 4 ] || fail "the control's paths are not the installed file's"
# Older versions and the other architecture's same version are replaced.
upgrade=$(table Upgrade)
grep -q "	513		WIX_UPGRADE_DETECTED$" <<<"$upgrade" || fail "the same version is not replaced: $upgrade"
grep -q "^ProductName	$product$" <<<"$properties" || fail "the product name is not $product"
grep -q "|$product	" <<<"$shortcuts" || fail "no shortcut named $product"
echo "$arch installer: $template, $folder, $platform registry entries, Chinese names"
