#!/usr/bin/env bash
# The portable zip holds the program folder in a fixed order, every entry
# dated from the commit it was built from, so that one commit gives one zip.
#   zip_entries_test.sh ZIP SOURCE_ROOT
set -euo pipefail
source "$(dirname "$0")/../support/fail_loudly.sh"
zip=$1 root=$2
expected="vesha/vesha.exe
vesha/tumbix.ocx
vesha/veshalib.mdb
vesha/bck_001.bmp
vesha/m_sh.bmp
vesha/a_large.bmp
vesha/a_med.bmp
vesha/a_small.bmp
vesha/guide.html"
names=$(zipinfo -1 "$zip")
[ "$names" = "$expected" ] || fail "entries: $(echo "$names" | tr '\n' ' ')"

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
# Zip dates count in steps of two seconds, rounded up.
want=$(TZ=UTC date -d "@$(((epoch + 1) / 2 * 2))" +%Y%m%d.%H%M%S)
dates=$(TZ=UTC zipinfo -T "$zip" | awk '/^[-d]r/ { print $(NF - 1) }' | sort -u)
[ "$dates" = "$want" ] || fail "entries dated $(echo "$dates" | tr '\n' ' '), not $want (the commit)"
echo "9 entries in order, all dated $want"
