# A fresh Wine prefix of its own for a package test, and snapshots of its
# registry and files to compare before and after.
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/common.sh"

# Creates the prefix build/wine/ARCH-NAME afresh and starts its own server,
# on a display of its own: the probe reads the dice off the screen, where
# the windows of tests running beside this one must not cover them.
fresh_prefix() {
  start_private_xvfb
  wine_env "$1"
  export WINEPREFIX="$VESHA_BUILD/wine/$1-$2"
  # Shortcuts stay inside the prefix instead of reaching the host's menus.
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  "$VESHA_WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
  DRIVE_C="$WINEPREFIX/drive_c"
}

run() { "$VESHA_WINE" "$@"; }

# Writes the whole registry and a listing of every file with its checksum
# into DIR. Wine keeps some of its own state there, which no program asked
# for: what wine_noise filters (named in the README).
snapshot() {
  local dir=$1
  mkdir -p "$dir"
  run regedit /E 'Z:'"$dir/registry.utf16" >/dev/null 2>&1
  "$WINESERVER" -w
  iconv -f UTF-16 -t UTF-8 "$dir/registry.utf16" | tr -d '\r' | wine_noise >"$dir/registry.txt"
  (cd "$DRIVE_C" && find . -type f -print0 | sort -z | xargs -0 sha1sum) >"$dir/files.txt"
  # The installer service's cache folder stays, empty, once it has run.
  (cd "$DRIVE_C" && find . -type d ! \( -path ./windows/Installer -empty \) | sort) >"$dir/folders.txt"
}

# Of a registry export, drops the blocks that are Wine's own: its hardware,
# device and system-parameter state, rebuilt at every start, and the empty
# keys the installer service keeps for its bookkeeping once it has run.
wine_noise() {
  awk -v RS= -v ORS='\n\n' '
    /^\[HKEY_LOCAL_MACHINE\\(Hardware|System)\\/ { next }
    /^\[HKEY_USERS\\[^\\]+\\Software\\Wine\\Temporary System Parameters[]\\]/ { next }
    /^\[HKEY_LOCAL_MACHINE\\Software\\(Classes|Microsoft\\Windows\\CurrentVersion)\\Installer[]\\]/ && !/\n/ { next }
    { print }'
}

# Fails with the differences when two snapshots differ.
same_snapshots() {
  local what
  for what in registry.txt files.txt folders.txt; do
    if ! diff -u "$1/$what" "$2/$what" >"$2/$what.diff"; then
      echo "the prefix's $what changed:"
      head -n 60 "$2/$what.diff"
      return 1
    fi
  done
}
