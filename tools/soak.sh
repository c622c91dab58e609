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
if [ $# -lt 1 ] || [ $# -gt 2 ]; then usage; fi
[[ $1 =~ ^[0-9]+$ ]] || usage
minutes=$1
seed=${2:-$(date +%s)}
[[ $seed =~ ^[0-9]+$ ]] || usage

prepare_host
# Prints go to the PDF printer.
start_pdf_printer
# The screen the suite uses too.
start_private_session 1280x1024

status=0
for arch in "${VESHA_RUN_ARCHES[@]}"; do
  say "soak of the $arch build: $minutes min, seed $seed"
  wine_env "$arch"
  program="$VESHA_BUILD/$arch/bin/vesha.exe"
  # A failure's screen goes to build/ARCH/vesha_soak_failure.bmp.
  (cd "$VESHA_BUILD/$arch" &&
    "$VESHA_WINE" tools/soak/vesha_soak.exe "Z:${program//\//\\}" $((minutes * 60)) "$seed") |
    sed "s/^/[$arch] /" || status=1
done
exit $status
