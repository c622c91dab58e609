#!/usr/bin/env bash
# Prints the benchmark figures of each architecture the host runs, each
# line labelled: ShowLot's time on the real store, the time and window area
# of a board frame, and the share of one core that the running program
# takes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

prepare_host
# The board benchmark's stage is the screen: 1024 x 768.
start_private_session 1024x768

# CPU ticks (user + system) of a process, from /proc.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The wineserver of the current prefix: it works in a folder named for the
# prefix's device and inode.
prefix_server() {
  local dir p
  dir=$(printf 'server-%x-%x' "$(stat -c '%d' "$WINEPREFIX")" "$(stat -c '%i' "$WINEPREFIX")")
  for p in $(pgrep -f wineserver); do
    if [ "$(basename "$(readlink "/proc/$p/cwd")")" = "$dir" ]; then echo "$p"; fi
  done
}
hz=$(getconf CLK_TCK)

for arch in "${VESHA_RUN_ARCHES[@]}"; do
  say "benchmarks of the $arch build"
  wine_env "$arch"
  bin="$VESHA_BUILD/$arch"
  "$VESHA_WINE" "$bin/tools/bench/showlot_bench.exe" | sed "s/^/[$arch] /"
  "$VESHA_WINE" "$bin/tools/bench/board_bench.exe" | sed "s/^/[$arch] /"

  # The loader becomes the program: its process is the program's.
  "$VESHA_WINE" "$bin/bin/vesha.exe" &
  pid=$!
  sleep 3
  server=$(prefix_server)
  t0=$(ticks "$pid"); s0=$(ticks "$server")
  sleep 10
  t1=$(ticks "$pid"); s1=$(ticks "$server")
  awk -v p=$((t1 - t0)) -v s=$((s1 - s0)) -v hz="$hz" -v arch="$arch" 'BEGIN {
    printf "[%s] running program over 10 s: %.1f%% of one core (wineserver %.1f%%)\n", arch, 100 * p / hz / 10, 100 * s / hz / 10 }'
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
