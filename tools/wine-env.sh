# The Wine of one architecture of the build: i686 programs run under 32-bit
# Wine in a win32 prefix, x86_64 programs under 64-bit Wine in a win64
# prefix, each prefix private to the build. Debian's `wine` wrapper picks
# the 32-bit loader whenever wine32 is installed, even where the kernel
# cannot run it, so the loaders are named here; the 64-bit wineserver
# serves both kinds of prefix, as it does under the wrapper.
# shellcheck shell=bash

VESHA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VESHA_BUILD="$VESHA_ROOT/build"

bits() { if [ "$1" = i686 ]; then echo 32; else echo 64; fi; }

# Exports the environment of ARCH's Wine: loader, server, prefix.
wine_env() {
  case $1 in
    i686) export WINEARCH=win32 VESHA_WINE=/usr/lib/wine/wine ;;
    x86_64) export WINEARCH=win64 VESHA_WINE=/usr/lib/wine/wine64 ;;
    *) echo "unknown architecture '$1': i686 or x86_64" >&2; return 1 ;;
  esac
  export WINEPREFIX="$VESHA_BUILD/wine/$1"
  export WINELOADER=$VESHA_WINE WINESERVER=/usr/lib/wine/wineserver64
  export WINEDEBUG=${WINEDEBUG:--all}
  # Keep Wine from asking to install Mono or Gecko in a fresh prefix, and a
  # crashing program from waiting for a debugger.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}
}
