#!/usr/bin/env bash
# Sets up everything the tests need on a fresh Debian 12 machine (as root),
# builds, and runs every test through CTest under a private Xvfb with one
# persistent wineserver and a CUPS PDF printer. Ends with CTest's summary.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Tests always get a display of their own, whatever $DISPLAY says.
start_private_session
start_pdf_printer

say "testing"
cd "$VESHA_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
