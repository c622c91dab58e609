#!/usr/bin/env bash
# Gives an installer made by wixl its Chinese texts. wixl 0.101 leaves the
# database in code page 0 and drops every text outside ASCII, so this sets
# code page 936 first and then writes the texts into the rows that the
# installer's source names in ASCII.
#   localize-msi.sh MSI PRODUCT_NAME DESCRIPTION GUIDE_NAME DOWNGRADE_MESSAGE
set -euo pipefail
msi=$1 product=$2 description=$3 guide=$4 downgrade=$5
# Names of files and folders carry an 8.3 name before the long one.
program_short=VESHA
guide_short=GUIDE

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
