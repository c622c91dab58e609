#!/usr/bin/env bash
# Sets up everything the tests need on a fresh Debian 12 machine (as root),
# builds both architectures, and runs the whole suite through CTest under a
# private Xvfb, with a CUPS PDF printer and one persistent wineserver per
# architecture: on the x86_64 build under 64-bit Wine, and on the i686
# build under 32-bit Wine where the kernel runs 32-bit programs (set
# VESHA_NO_32BIT=1 to act as if it did not). Arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

prepare_host
# The printer first, so that the Wine prefixes find it from the start.
start_pdf_printer
# Tests always get a display of their own, whatever $DISPLAY says.
start_private_session

status=0
for arch in "${VESHA_RUN_ARCHES[@]}"; do
  say "testing the $arch build under $(bits "$arch")-bit Wine"
  ctest --test-dir "$VESHA_BUILD/$arch" --output-on-failure --no-tests=error -j "$(nproc)" "$@" || status=1
done
if runs_arch i686; then
  say "both suites ran: the x86_64 build under 64-bit Wine and the i686 build under 32-bit Wine."
else
  say "the i686 suite was not run: $VESHA_NO_32BIT_REASON. The i686 build was built, and the x86_64 suite's ProgramFiles tests checked its files."
fi
exit $status
