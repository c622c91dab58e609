#!/usr/bin/env bash
# Gives an installer made by wixl what wixl 0.101 cannot: its Chinese texts
# and a package code of its own. wixl leaves the database in code page 0
# and drops every text outside ASCII, so this sets code page 936 first and
# then writes the texts into the rows that the installer's source names in
# ASCII. The other architecture's installer of the same version is
# replaced as an older version is (wixl's MajorUpgrade has no setting for
# it), since both would enter the same control. wixl also takes a random
# package code on every run; this one
# follows from the installer's tables and files, so the same ones give the
# same code and any change a new one.
#   finish-msi.sh MSI PLATFORM UPGRADE_CODE VERSION PRODUCT_NAME DESCRIPTION GUIDE_NAME DOWNGRADE_MESSAGE
set -euo pipefail
msi=$1 platform=$2 upgrade_code=$3 version=$4 product=$5 description=$6 guide=$7 downgrade=$8
# Names of files and folders carry an 8.3 name before the long one.
program_short=VESHA
guide_short=GUIDE
simplified_chinese=2052
# Upgrade table attributes.
migrate_features=1
version_max_inclusive=512

tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$tables/_ForceCodepage.idt"
msibuild "$msi" -i "$tables/_ForceCodepage.idt"

sql() { msibuild "$msi" -q "$1"; }
sql "UPDATE Property SET Value='$product' WHERE Property='ProductName'"
sql "UPDATE Property SET Value='$description' WHERE Property='ARPCOMMENTS'"
sql "UPDATE Directory SET DefaultDir='$program_short|$product' WHERE Directory='ProgramMenuDir'"
sql "UPDATE Shortcut SET Name='$program_short|$product', Description='$description' WHERE Shortcut='ProgramShortcut'"
sql "UPDATE Shortcut SET Name='$guide_short|$guide' WHERE Shortcut='GuideShortcut'"
sql "UPDATE LaunchCondition SET Description='$downgrade' WHERE Condition='NOT WIX_DOWNGRADE_DETECTED'"
# The attributes are part of the row's key: the row is written anew.
sql "DELETE FROM Upgrade WHERE ActionProperty='WIX_UPGRADE_DETECTED'"
sql "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('$upgrade_code', '$version', $((migrate_features | version_max_inclusive)), 'WIX_UPGRADE_DETECTED')"
# A name-based UUID (version 5 layout) from the SHA-1 of every table and
# stream but the summary (whose stream name starts with a control
# character), which holds the code and wixl's clock.
mkdir "$tables/dump"
(cd "$tables/dump" && msidump --tables --streams -d . "$msi" >/dev/null)
hash=$(cd "$tables/dump" && find . -type f ! -name '*SummaryInformation*' -print0 |
  sort -z | xargs -0 cat | sha1sum | cut -c1-32)
variant=$(printf '%x' $(((0x${hash:16:1} & 0x3) | 0x8)))
package_code="{${hash:0:8}-${hash:8:4}-5${hash:13:3}-$variant${hash:17:3}-${hash:20:12}}"
package_code=${package_code^^}
# The summary's subject, author, platform with language, and package code.
msibuild "$msi" -s "$description" vesha "$platform;$simplified_chinese" "$package_code"
