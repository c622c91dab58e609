#!/usr/bin/env bash
# Prints the benchmark figures: ShowLot's time on the real store, the time
# and window area of a board frame, and the share of one core that the
# running program takes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The board benchmark's stage is the screen: 1024 x 768.
start_private_session 1024x768

wine "$VESHA_BUILD/tests/showlot_bench.exe"
wine "$VESHA_BUILD/tests/board_bench.exe"

# CPU ticks (user + system) of a process, from /proc.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wine "$VESHA_BUILD/bin/vesha.exe" &
sleep 3
pid=$(pgrep -f 'vesha\.exe' | head -n 1)
server=$(pgrep -f 'wineserver' | head -n 1)
t0=$(ticks "$pid"); s0=$(ticks "$server")
sleep 10
t1=$(ticks "$pid"); s1=$(ticks "$server")
hz=$(getconf CLK_TCK)
awk -v p=$((t1 - t0)) -v s=$((s1 - s0)) -v hz="$hz" 'BEGIN {
  printf "running program over 10 s: %.1f%% of one core (wineserver %.1f%%)\n", 100 * p / hz / 10, 100 * s / hz / 10 }'
kill "$pid" 2>/dev/null || true
