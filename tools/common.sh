# Shared set-up for run.sh, test.sh and bench.sh: the host's abilities,
# packages, SQLite, the IDL files, a Wine prefix per architecture, the
# builds and a display. Every step checks first, so a second run is quick;
# a step that fails says what failed and what to do, and the next run
# repairs what it left.
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
VESHA_DEPS="$VESHA_BUILD/deps"

say() { printf '== %s\n' "$*"; }
die() {
  printf 'vesha set-up: %s\n' "$*" >&2
  exit 1
}

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

in_dir() {
  local dir=$1
  shift
  (cd "$dir" && "$@")
}

# Runs a command with its output kept aside; when it fails, shows the end
# of that output and stops, saying what failed and what to do.
checked() {
  local what=$1 advice=$2 log rc=0
  shift 2
  log=$(mktemp)
  "$@" >"$log" 2>&1 || rc=$?
  if [ $rc != 0 ]; then
    tail -n 30 "$log" >&2
    rm -f "$log"
    die "$what failed (exit code $rc). $advice"
  fi
  rm -f "$log"
}

VESHA_ARCHES=(x86_64 i686) # x86_64 first: it makes what the i686 build takes

# --- The host ---------------------------------------------------------------

# The architectures whose programs this host runs: x86_64 always, i686 where
# the kernel runs 32-bit programs, as 32-bit Wine is one. The kernel itself
# is asked, with a static i386 program that only exits, so no 32-bit library
# need be installed first (/lib/ld-linux.so.2 answers only where libc6-i386
# is). VESHA_NO_32BIT=1 takes the path of a host without 32-bit support on
# one that has it.
VESHA_RUN_ARCHES=()
VESHA_NO_32BIT_REASON=

# The probe, 93 bytes: the ELF header (52 bytes), one program header (32)
# that loads the whole file at 0x08048000, and at 0x08048054 the code
# mov eax, 1 (exit); xor ebx, ebx; int 0x80.
write_i386_probe() {
  local elf_header=7f454c46010101000000000000000000020003000100000054800408340000000000000000000000340020000100000000000000
  local load_segment=010000000000000000800408008004085d0000005d0000000500000000100000
  local exit_0=b80100000031dbcd80
  printf '%b' "$(sed 's/../\\x&/g' <<<"$elf_header$load_segment$exit_0")" >"$1"
  chmod +x "$1"
}

# What the kernel does with PROGRAM: returns 0 when it ran and exited 0,
# 1 when the kernel refused its format (ENOEXEC, "Exec format error"), and
# 2 for anything else: a signal, another exit code, a missing file, no
# permission. VESHA_KERNEL_ANSWER says which, in words. Only a refusal
# means "no": a probe that crashes is a broken probe.
ask_kernel() {
  local out rc=0
  # C messages, so that the shell's report of a refusal reads the same everywhere.
  out=$(
    export LC_ALL=C
    "$1" 2>&1
  ) || rc=$?
  out=${out##*: }
  if [ $rc = 0 ]; then
    VESHA_KERNEL_ANSWER="it ran and exited 0"
    return 0
  fi
  if [ $rc = 126 ] && [ "$out" = "Exec format error" ]; then
    VESHA_KERNEL_ANSWER="the kernel refuses it: $out"
    return 1
  fi
  if [ $rc -gt 128 ]; then
    VESHA_KERNEL_ANSWER="it was killed by signal SIG$(kill -l $((rc - 128)) 2>/dev/null || echo $((rc - 128)))"
  else
    VESHA_KERNEL_ANSWER="it ended with exit code $rc${out:+: $out}"
  fi
  return 2
}

detect_host() {
  VESHA_RUN_ARCHES=(x86_64)
  if [ "${VESHA_NO_32BIT:-0}" = 1 ]; then
    VESHA_NO_32BIT_REASON="VESHA_NO_32BIT=1 is set"
    return 0
  fi
  local probe="$VESHA_BUILD/probe-i386" answer=0
  mkdir -p "$VESHA_BUILD"
  write_i386_probe "$probe"
  ask_kernel "$probe" || answer=$?
  rm -f "$probe"
  case $answer in
    0) VESHA_RUN_ARCHES+=(i686) ;;
    1) VESHA_NO_32BIT_REASON="this kernel runs no 32-bit program (asked with a static i386 program, $VESHA_KERNEL_ANSWER)" ;;
    *) die "could not tell whether this kernel runs 32-bit programs: the static i386 probe $probe failed ($VESHA_KERNEL_ANSWER). That is a fault of the set-up, not an answer; report it, or set VESHA_NO_32BIT=1 to test the x86_64 build alone." ;;
  esac
}

runs_arch() {
  local a
  for a in "${VESHA_RUN_ARCHES[@]}"; do [ "$a" = "$1" ] && return 0; done
  return 1
}

# --- Packages ---------------------------------------------------------------

VESHA_COMMON_PACKAGES=(
  mingw-w64-tools cmake make gcc libc6-dev googletest
  xvfb xauth xdotool imagemagick
  fonts-wqy-microhei unicode-data bzip2
  dpkg-dev tcl8.6
  cups printer-driver-cups-pdf poppler-utils python3
  wixl msitools zip unzip git
)

# What building for ARCH needs.
build_packages() {
  local d=${1//_/-}
  echo "g++-mingw-w64-$d-posix gcc-mingw-w64-$d-posix binutils-mingw-w64-$d mingw-w64-$d-dev"
}

# What running ARCH's programs under Wine needs; without its own libcups
# Wine sees no printer.
run_packages() {
  case $1 in
    i686) echo "wine32:i386 libcups2:i386" ;;
    x86_64) echo "wine64 libcups2" ;;
  esac
}

missing_packages() {
  local arch p wanted=("${VESHA_COMMON_PACKAGES[@]}")
  for arch in "${VESHA_ARCHES[@]}"; do read -ra p <<<"$(build_packages "$arch")" && wanted+=("${p[@]}"); done
  for arch in "${VESHA_RUN_ARCHES[@]}"; do read -ra p <<<"$(run_packages "$arch")" && wanted+=("${p[@]}"); done
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || echo "$p"
  done
}

# SQLite and the IDL files come from source packages, so deb-src must be
# on: in deb822 files the Types line gains deb-src, in one-line files every
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
  if has_deb_src && [ -z "$missing" ]; then return 0; fi
  say "installing packages"
  has_deb_src || enable_deb_src
  if grep -q ':i386' <<<"$missing" && ! dpkg --print-foreign-architectures | grep -qx i386; then
    checked "adding the i386 architecture" "Run 'dpkg --add-architecture i386' by hand to see why." \
      as_root dpkg --add-architecture i386
  fi
  local advice="Check the network and /etc/apt/sources.list*, then run again."
  checked "apt-get update" "$advice" as_root apt-get update -q
  # shellcheck disable=SC2086
  checked "installing ${missing//$'\n'/ }" "$advice" \
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# --- Sources from Debian ----------------------------------------------------

# The newest version of a source package that apt knows.
source_version() {
  apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

# SQLite's amalgamation, made once from Debian's source package; each build
# compiles it. A stamp names the source version.
make_sqlite_amalgamation() {
  local dir="$VESHA_DEPS/sqlite" want
  want="sqlite3 $(source_version sqlite3)"
  [ -f "$dir/sqlite3.c" ] && [ "$(cat "$dir/.stamp" 2>/dev/null)" = "$want" ] && return 0
  say "making SQLite's amalgamation from Debian's source package ($want)"
  local src="$VESHA_DEPS/sqlite-src" advice="Check that deb-src is enabled and the archive reachable, then run again."
  rm -rf "$src" "$dir" && mkdir -p "$src"
  checked "apt-get source sqlite3" "$advice" in_dir "$src" apt-get source -q sqlite3
  local tree
  tree=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)
  [ -n "$tree" ] || die "apt-get source sqlite3 left no source tree in $src. $advice"
  mkdir -p "$tree/bld"
  checked "configuring SQLite's sources" "The messages above say what is missing." \
    in_dir "$tree/bld" ../configure --disable-tcl
  checked "making sqlite3.c" "The messages above say why." in_dir "$tree/bld" make sqlite3.c
  mkdir -p "$dir.tmp"
  cp "$tree/bld/sqlite3.c" "$tree/bld/sqlite3.h" "$dir.tmp/"
  echo "$want" >"$dir.tmp/.stamp"
  rm -rf "$dir" && mv "$dir.tmp" "$dir" && rm -rf "$src"
}

# widl needs the platform's .idl files, which Debian ships only in the
# mingw-w64 source package; just those are kept. A stamp names the version
# of the installed headers, which the .idl files must match.
fetch_idl() {
  local dir="$VESHA_DEPS/idl" version
  version=$(dpkg-query -W -f='${source:Version}' mingw-w64-common 2>/dev/null)
  [ -n "$version" ] || die "mingw-w64-common is not installed: the package step did not finish; run again."
  [ -f "$dir/ocidl.idl" ] && [ "$(cat "$dir/.stamp" 2>/dev/null)" = "mingw-w64 $version" ] && return 0
  say "fetching the platform's IDL files (mingw-w64 $version)"
  local src="$VESHA_DEPS/mingw-src"
  rm -rf "$src" "$dir.tmp" && mkdir -p "$src" "$dir.tmp"
  checked "apt-get source mingw-w64=$version" "Check that deb-src is enabled and the archive reachable, then run again." \
    in_dir "$src" apt-get source -q --download-only "mingw-w64=$version"
  local tarball
  tarball=$(find "$src" -maxdepth 1 -name 'mingw-w64_*.orig.tar.*' ! -name '*.asc' | head -n 1)
  [ -n "$tarball" ] || die "the mingw-w64 source package brought no .orig tarball into $src; run again."
  checked "unpacking the .idl files" "The tarball $tarball may be damaged; run again." \
    in_dir "$src" tar -xf "$tarball" --wildcards '*/mingw-w64-headers/include/*.idl'
  find "$src" -path '*/mingw-w64-headers/include/*.idl' -exec cp {} "$dir.tmp/" \;
  [ -f "$dir.tmp/ocidl.idl" ] || die "the mingw-w64 sources hold no ocidl.idl; run again."
  echo "mingw-w64 $version" >"$dir.tmp/.stamp"
  rm -rf "$dir" && mv "$dir.tmp" "$dir" && rm -rf "$src"
}

# --- Wine -------------------------------------------------------------------

stop_wineserver() {
  wine_env "$1"
  if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
}

# ARCH's private prefix with Chinese font replacements (Wine's stock fonts
# have no Chinese glyphs; regedit wants the file in UTF-16). A stamp names
# the architecture and Wine's version; a prefix without it is made afresh.
prepare_prefix() {
  local arch=$1 want
  wine_env "$arch"
  want="$arch $("$VESHA_WINE" --version 2>&1)"
  [ "$(cat "$WINEPREFIX/.vesha-ready" 2>/dev/null)" = "$want" ] && return 0
  say "preparing the $arch Wine prefix in $WINEPREFIX"
  local advice="Read the messages above; the next run makes the prefix afresh."
  stop_wineserver "$arch"
  rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
  checked "wineboot in the $arch prefix" "$advice" "$VESHA_WINE" wineboot -i
  local reg="$WINEPREFIX/vesha-fonts.reg"
  iconv -f UTF-8 -t UTF-16 "$VESHA_ROOT/tools/wine-fonts.reg" >"$reg"
  checked "importing the font replacements in the $arch prefix" "$advice" "$VESHA_WINE" regedit /s "$reg"
  checked "reading back the font replacements in the $arch prefix" "$advice" \
    "$VESHA_WINE" reg query 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun
  "$WINESERVER" -w
  echo "$want" >"$WINEPREFIX/.vesha-ready"
}

# The program creates its dice controls by ProgID, so the control library
# is registered in the prefix; registering again is harmless and quick.
register_controls() {
  wine_env "$1"
  checked "registering $VESHA_BUILD/$1/bin/tumbix.ocx in the $1 prefix" "Run the test command to see what fails." \
    "$VESHA_WINE" regsvr32 /s "$VESHA_BUILD/$1/bin/tumbix.ocx"
}

# Without a window manager (a private Xvfb has none) Wine would wait two
# seconds for one each time a window is hidden or destroyed; there, windows
# are left unmanaged. On a desktop the window manager decorates them.
use_window_manager() {
  wine_env "$1"
  if [ "$2" = yes ]; then
    "$VESHA_WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  else
    checked "leaving windows unmanaged in the $1 prefix" "Run again." \
      "$VESHA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  fi
}

# --- The builds -------------------------------------------------------------

peer_arch() { if [ "$1" = i686 ]; then echo x86_64; else echo i686; fi; }

# A tree per architecture in build/ARCH. A stamp holds the settings and the
# compiler it was configured with; a tree without it, from a failed
# configure or other settings, is configured afresh.
configure_tree() {
  local arch=$1 tree="$VESHA_BUILD/$1"
  local args=(-S "$VESHA_ROOT" -B "$tree" -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_TOOLCHAIN_FILE="$VESHA_ROOT/cmake/$arch-w64-mingw32.cmake"
    -DSQLITE_SOURCE_DIR="$VESHA_DEPS/sqlite" -DIDL_DIR="$VESHA_DEPS/idl"
    -DVESHA_PEER_TREE="$VESHA_BUILD/$(peer_arch "$arch")")
  local want
  want="${args[*]} $("$arch-w64-mingw32-g++-posix" --version | head -n 1)"
  [ "$(cat "$tree/.vesha-configured" 2>/dev/null)" = "$want" ] && return 0
  say "configuring the $arch build in $tree"
  rm -rf "$tree"
  checked "configuring the $arch build" "Read the messages above; the next run configures afresh." cmake "${args[@]}"
  echo "$want" >"$tree/.vesha-configured"
}

# Progress lines hidden; warnings and errors still show.
build_tree() {
  say "building $1"
  if ! cmake --build "$VESHA_BUILD/$1" -j "$(nproc)" -- --no-print-directory 2>&1 |
    { grep -vE '^\[ *[0-9]+%\] (Built target|Building|Linking|Generating)|^(Scanning|Consolidate)' || true; }; then
    die "building the $1 tree failed: the messages above say why."
  fi
}

# Everything to build and run: both architectures are built (the x86_64
# one first, as it makes what the i686 one takes), those the host runs get
# a prefix with the control library registered. The build's Windows tools
# run under x86_64 Wine, whose server must see the display later calls use.
setup_all() {
  fetch_idl
  make_sqlite_amalgamation
  local arch
  for arch in "${VESHA_RUN_ARCHES[@]}"; do
    stop_wineserver "$arch"
    prepare_prefix "$arch"
  done
  for arch in "${VESHA_ARCHES[@]}"; do
    configure_tree "$arch"
    build_tree "$arch"
  done
  for arch in "${VESHA_RUN_ARCHES[@]}"; do register_controls "$arch"; done
}

# --- Display and session ----------------------------------------------------

# Starts a private Xvfb on a free display number and exports DISPLAY; the
# screen size may be given (default 1280x1024). Another script may take the
# same number at the same moment: then this server dies and the next number
# is tried.
start_private_xvfb() {
  local size=${1:-1280x1024} n=90 i
  while :; do
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    VESHA_XVFB_PID=$!
    for i in $(seq 50); do
      kill -0 "$VESHA_XVFB_PID" 2>/dev/null || break
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill -0 "$VESHA_XVFB_PID" 2>/dev/null && die "Xvfb did not start on display :$n."
    n=$((n + 1))
  done
}

stop_private_xvfb() {
  if [ -n "${VESHA_XVFB_PID:-}" ]; then kill "$VESHA_XVFB_PID" 2>/dev/null || true; fi
  VESHA_XVFB_PID=
}

stop_session() {
  local arch
  for arch in "${VESHA_RUN_ARCHES[@]}"; do stop_wineserver "$arch"; done
  stop_private_xvfb
}

# What the host can run, and the packages for that.
prepare_host() {
  detect_host
  install_packages
}

# Everything set up on a private display, with one persistent wineserver
# per architecture that the Wine calls of a run share; all go when the
# script ends.
start_private_session() {
  start_private_xvfb "${1:-}"
  trap stop_session EXIT
  setup_all
  local arch
  for arch in "${VESHA_RUN_ARCHES[@]}"; do
    # The set-up's last Wine call may have left a short-lived server behind.
    stop_wineserver "$arch"
    "$WINESERVER" -p
    use_window_manager "$arch" no
  done
}

# A CUPS printer that writes PDF files, for the printing test. cupsd runs
# in the foreground of a background job, as no service manager is assumed;
# lpadmin can only reach it once it answers.
start_pdf_printer() {
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    as_root sh -c 'cupsd -f >/dev/null 2>&1 &'
    for _ in $(seq 100); do
      lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.1
    done
    lpstat -r 2>/dev/null | grep -q "is running" || die "cupsd did not start: run 'cupsd -f' by hand to see why."
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    local advice="Check that printer-driver-cups-pdf is installed and cupsd runs (lpstat -r)."
    checked "adding the PDF printer" "$advice" \
      as_root lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    checked "making PDF the default printer" "$advice" as_root lpadmin -d PDF
  fi
  for _ in $(seq 100); do
    lpstat -a PDF 2>/dev/null | grep -q "accepting" && return 0
    sleep 0.1
  done
  die "the PDF printer does not accept jobs: see 'lpstat -t'."
}
