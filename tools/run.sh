#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine (as root), builds, and
# starts vesha.exe under Wine on $DISPLAY, or on a private Xvfb when there
# is no display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
managed=yes
if [ -z "${DISPLAY:-}" ]; then
  echo "No display (\$DISPLAY is empty): starting a private Xvfb."
  start_private_xvfb
  echo "The program runs on DISPLAY=$DISPLAY; look at it with: DISPLAY=$DISPLAY import -window root shot.png"
  trap 'wineserver -k 2>/dev/null || true; stop_private_xvfb' EXIT
  managed=no
fi
setup_all
use_window_manager $managed
say "starting vesha"
wine "$VESHA_BUILD/bin/vesha.exe"
