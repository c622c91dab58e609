# Shared set-up for run.sh and test.sh: packages, SQLite, the build, the Wine
# prefix and a display. Every step checks first, so a second run is quick.
# shellcheck shell=bash

VESHA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VESHA_BUILD="$VESHA_ROOT/build"
VESHA_DEPS="$VESHA_BUILD/deps"
export WINEPREFIX="$VESHA_BUILD/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
# Keep Wine from asking to install Mono or Gecko in a fresh prefix, and a
# crashing test from waiting for a debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

VESHA_PACKAGES=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev mingw-w64-tools cmake make gcc libc6-dev googletest
  wine wine32:i386 xvfb xauth xdotool imagemagick
  fonts-wqy-microhei unicode-data bzip2
  dpkg-dev tcl8.6
  cups printer-driver-cups-pdf poppler-utils libcups2:i386 python3
)

say() { printf '== %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing_packages() {
  local p
  for p in "${VESHA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || echo "$p"
  done
}

# SQLite is built from Debian's source package, so deb-src must be on:
# in deb822 files the Types line gains deb-src, in one-line files every
# deb line gets its deb-src twin.
has_deb_src() {
  grep -qsE '^deb-src |^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources
}

enable_deb_src() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    if [ -f "$f" ]; then as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"; fi
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -f "$f" ] && grep -q '^deb ' "$f"; then
      as_root sed -i 's/^deb \(.*\)$/deb \1\ndeb-src \1/' "$f"
    fi
  done
}

install_packages() {
  local missing
  missing=$(missing_packages)
  local need_src=0
  has_deb_src || need_src=1
  [ -z "$missing" ] && [ $need_src = 0 ] && return 0
  say "installing packages"
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  if [ $need_src = 1 ]; then enable_deb_src; fi
  local log
  log=$(mktemp)
  # shellcheck disable=SC2086
  if ! { as_root apt-get update -qq &&
         as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
           $missing; } >"$log" 2>&1; then
    tail -n 30 "$log"
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

build_sqlite() {
  local lib="$VESHA_DEPS/sqlite/lib/libsqlite3.a"
  [ -f "$lib" ] && return 0
  say "building SQLite from Debian's source package"
  local src="$VESHA_DEPS/sqlite-src"
  rm -rf "$src" && mkdir -p "$src" && cd "$src"
  apt-get source -qq sqlite3 >/dev/null 2>&1 || apt-get source sqlite3
  local tree
  tree=$(find . -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)
  mkdir -p "$tree/bld" && cd "$tree/bld"
  ../configure --disable-tcl >/dev/null
  make -s sqlite3.c >/dev/null
  mkdir -p "$VESHA_DEPS/sqlite/include" "$VESHA_DEPS/sqlite/lib"
  i686-w64-mingw32-gcc-posix -O2 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DQS=0 \
    -c sqlite3.c -o sqlite3.o
  i686-w64-mingw32-ar rcs "$lib.tmp" sqlite3.o
  cp sqlite3.h "$VESHA_DEPS/sqlite/include/"
  mv "$lib.tmp" "$lib"
  cd "$VESHA_ROOT" && rm -rf "$src"
}

# widl needs the platform's .idl files, which Debian ships only in the
# mingw-w64 source package; just those are kept.
fetch_idl() {
  local dir="$VESHA_DEPS/idl"
  [ -f "$dir/ocidl.idl" ] && return 0
  say "fetching the platform's IDL files"
  local src="$VESHA_DEPS/mingw-src"
  rm -rf "$src" && mkdir -p "$src" "$dir.tmp" && cd "$src"
  apt-get source -qq --download-only mingw-w64 >/dev/null 2>&1 || apt-get source --download-only mingw-w64
  local tarball
  tarball=$(find . -maxdepth 1 -name 'mingw-w64_*.orig.tar.*' ! -name '*.asc' | head -n 1)
  tar -xf "$tarball" --wildcards '*/mingw-w64-headers/include/*.idl'
  find . -path '*/mingw-w64-headers/include/*.idl' -exec cp {} "$dir.tmp/" \;
  rm -rf "$dir" && mv "$dir.tmp" "$dir"
  cd "$VESHA_ROOT" && rm -rf "$src"
}

# The program creates its dice controls by ProgID, so the control library
# is registered in the prefix; registering again is harmless and quick.
register_controls() {
  wine regsvr32 /s "$VESHA_BUILD/bin/tumbix.ocx" >/dev/null 2>&1 ||
    { echo "registering tumbix.ocx failed" >&2; return 1; }
}

# Wine's stock fonts have no Chinese glyphs; point the Chinese face names at
# an installed CJK font. regedit wants the file in UTF-16.
prepare_prefix() {
  local stamp="$WINEPREFIX/.vesha-ready"
  [ -f "$stamp" ] && return 0
  say "preparing the Wine prefix"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  local reg="$VESHA_BUILD/fonts.reg"
  iconv -f UTF-8 -t UTF-16 "$VESHA_ROOT/tools/wine-fonts.reg" > "$reg"
  wine regedit /s "$reg" >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
}

build_project() {
  say "building"
  if [ ! -f "$VESHA_BUILD/CMakeCache.txt" ]; then
    cmake -S "$VESHA_ROOT" -B "$VESHA_BUILD" \
      -DCMAKE_TOOLCHAIN_FILE="$VESHA_ROOT/cmake/i686-w64-mingw32.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DSQLITE_ROOT="$VESHA_DEPS/sqlite" >/dev/null
  fi
  # Progress lines hidden; warnings and errors still show.
  cmake --build "$VESHA_BUILD" -j "$(nproc)" -- --no-print-directory |
    { grep -vE '^\[ *[0-9]+%\] (Built target|Building|Linking|Generating)|^(Scanning|Consolidate)' || true; }
}

# Starts a private Xvfb on a free display number and exports DISPLAY; the
# screen size may be given (default 1280x1024).
start_private_xvfb() {
  local size=${1:-1280x1024} n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  VESHA_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}

stop_private_xvfb() {
  if [ -n "${VESHA_XVFB_PID:-}" ]; then kill "$VESHA_XVFB_PID" 2>/dev/null || true; fi
  VESHA_XVFB_PID=
}

# The build runs Windows tools under Wine; they share one wineserver, and
# every Wine call on it must see the same display.
setup_all() {
  install_packages
  build_sqlite
  fetch_idl
  wineserver -k 2>/dev/null || true
  prepare_prefix
  build_project
  register_controls
}

# A CUPS printer that writes PDF files, for the printing test. cupsd runs
# in the foreground of a background job, as no service manager is assumed.
start_pdf_printer() {
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    as_root sh -c 'cupsd -f >/dev/null 2>&1 &'
    local i
    for i in $(seq 50); do
      lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.2
    done
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    as_root lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
    as_root lpadmin -d PDF
  fi
}

# Without a window manager (a private Xvfb has none) Wine would wait two
# seconds for one each time a window is hidden or destroyed; there, windows
# are left unmanaged. On a desktop the window manager decorates them.
use_window_manager() {
  if [ "$1" = yes ]; then
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  else
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  fi
}

# Everything set up on a private display, with one persistent wineserver
# that the Wine calls of a run share; both go when the script ends.
start_private_session() {
  install_packages
  start_private_xvfb "${1:-}"
  trap 'wineserver -k 2>/dev/null || true; stop_private_xvfb' EXIT
  setup_all
  # The set-up's last Wine call may have left a short-lived server behind.
  wineserver -k 2>/dev/null || true
  wineserver -p
  use_window_manager no
}
