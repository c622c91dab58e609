#!/usr/bin/env bash
# A lot printed under Wine on the CUPS PDF printer comes back from the PDF
# with every character in place.
set -euo pipefail
source "$(dirname "$0")/../support/fail_loudly.sh"
arch=$1 probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/start"
sleep 1  # PDF times are in whole seconds

"$(dirname "$0")/../../tools/wine-exec.sh" "$arch" "$probe" "Z:$work/expected.txt"

# The PDF printer makes its folder in $HOME with the first PDF it writes,
# which on a fresh machine comes a while after the job: only folders that
# are there are searched.
newest_pdf() {
  local dirs=() d
  for d in "$HOME/PDF" /var/spool/cups-pdf; do [ -d "$d" ] && dirs+=("$d"); done
  [ ${#dirs[@]} = 0 ] || find "${dirs[@]}" -name '*.pdf' -newer "$work/start" -print -quit
}

pdf=
for _ in $(seq 120); do
  pdf=$(newest_pdf)
  # cups-pdf writes the file in place; wait until its size settles.
  if [ -n "$pdf" ]; then
    s1=$(stat -c %s "$pdf"); sleep 0.5; s2=$(stat -c %s "$pdf")
    [ "$s1" = "$s2" ] && [ "$s1" -gt 0 ] && break
  fi
  sleep 0.5
done
[ -n "$pdf" ] || { echo "no PDF arrived"; exit 1; }

pdftotext "$pdf" "$work/printed.txt"
rm -f "$pdf"
# Layout blanks aside, the same characters; the PDF's font may name some
# ideographs by their compatibility code points, which NFKC folds back.
python3 - "$work/expected.txt" "$work/printed.txt" <<'PY'
import sys, unicodedata
def chars(path):
    text = unicodedata.normalize("NFKC", open(path, encoding="utf-8").read())
    return "".join(c for c in text if not c.isspace())
expected, printed = chars(sys.argv[1]), chars(sys.argv[2])
print(f"printed {len(printed)} characters, expected {len(expected)}")
sys.exit(0 if expected == printed else f"expected: {expected}\nprinted:  {printed}")
PY
