#!/usr/bin/env bash
# Uses the program as a person would for MINUTES on each architecture the
# host runs, in an order drawn from SEED (by default one from the clock,
# printed, so a run can be repeated), and reports what it did and the
# program's objects and memory. Fails on a crash, a hang, a message box
# that no step caused, a shown lot text that is not the store's, or
# objects or memory that grow.
#
#   tools/soak.sh MINUTES [SEED]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

usage() { die "usage: tools/soak.sh MINUTES [SEED]"; }
[ $# -ge 1 ] && [ $# -le 2 ] || usage
[[ $1 =~ ^[0-9]+$ ]] || usage
minutes=$1
seed=${2:-$(date +%s)}
[[ $seed =~ ^[0-9]+$ ]] || usage

prepare_host
# Prints go to the PDF printer.
start_pdf_printer
start_private_session

status=0
for arch in "${VESHA_RUN_ARCHES[@]}"; do
  say "soak of the $arch build: $minutes min, seed $seed"
  wine_env "$arch"
  program="$VESHA_BUILD/$arch/bin/vesha.exe"
  "$VESHA_WINE" "$VESHA_BUILD/$arch/tools/soak/vesha_soak.exe" "Z:${program//\//\\}" $((minutes * 60)) "$seed" |
    sed "s/^/[$arch] /" || status=1
done
exit $status
