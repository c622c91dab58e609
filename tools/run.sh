#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine (as root), builds, and
# starts vesha.exe under Wine on $DISPLAY, or on a private Xvfb when there
# is no display: the 32-bit program, the one made for every Windows, where
# the kernel runs 32-bit programs, else the 64-bit one (VESHA_NO_32BIT=1
# picks the 64-bit one anyway).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

prepare_host
managed=yes
if [ -z "${DISPLAY:-}" ]; then
  echo "No display (\$DISPLAY is empty): starting a private Xvfb."
  start_private_xvfb
  echo "The program runs on DISPLAY=$DISPLAY; look at it with: DISPLAY=$DISPLAY import -window root shot.png"
  trap stop_session EXIT
  managed=no
fi
setup_all
if runs_arch i686; then
  arch=i686
  why="$(bits $arch)-bit, the build for every Windows"
else
  arch=x86_64
  why="$(bits $arch)-bit: $VESHA_NO_32BIT_REASON"
fi
use_window_manager $arch $managed
say "starting the $arch program ($why): $VESHA_BUILD/$arch/bin/vesha.exe"
wine_env $arch
"$VESHA_WINE" "$VESHA_BUILD/$arch/bin/vesha.exe"
