#!/usr/bin/env bash
# Runs bench/grid_scroll at 1,000,000 rows (or the sizes given), alternating the raw client library
# and the grid so that machine drift cancels, and prints the median times of each and the ratios of
# the grid against the raw library. The benchmark database is dropped at the end.
#
#   bench/run_grid_scroll.sh [N ...]     environment: KESTREL_BUILD_DIR, ROUNDS (default 5)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${KESTREL_BUILD_DIR:-$here/../build}
bin=$build/bench/grid_scroll
rounds=${ROUNDS:-5}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000000)
modes=(raw-screen raw-all grid grid-all grid-stream)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; "$bin" drop >/dev/null 2>&1 || true' EXIT

field() { sed -n "s/.* $1=\([0-9.]*\).*/\1/p"; }
source "$here/rounds.sh"
run() { "$bin" "$1" 2>/dev/null || { echo "grid_scroll $1 failed" >&2; exit 1; }; }

for n in "${sizes[@]}"; do
  "$bin" fill "$n" >/dev/null
  run_rounds "$rounds" "${modes[@]}"
  med() { field "$2" <"$tmp/$1" | median; }
  awk -v n="$n" -v r="$rounds" \
      -v rs="$(med raw-screen open_paint)" -v ra="$(med raw-all open_paint)" \
      -v go="$(med grid open_paint)" -v gd="$(med grid open)" -v ad="$(med grid-all open)" -v gl="$(med grid last_paint)" -v gf="$(med grid first_paint)" \
      -v ao="$(med grid-all open_paint)" -v al="$(med grid-all last_paint)" \
      -v af="$(med grid-all first_paint)" \
      -v gm="$(med grid maxrss_kb)" -v am="$(med grid-all maxrss_kb)" -v rm="$(med raw-all maxrss_kb)" \
      -v so="$(med grid-stream open_paint)" -v sd="$(med grid-stream open)" -v sl="$(med grid-stream last_paint)" \
      -v sf="$(med grid-stream first_paint)" -v sm="$(med grid-stream maxrss_kb)" -v ss="$(med grid-stream shown)" 'BEGIN {
    printf "N=%d (median of %d alternating runs)\n", n, r
    printf "  raw store + first screen        : %7.3f s\n", rs
    printf "  raw store + every row           : %7.3f s  %8.1f MB peak\n", ra, rm / 1024
    printf "  grid, rows as needed\n"
    printf "    open to first paint           : %7.3f s  (%.2f x raw store + first screen)\n", go, go / rs
    printf "      of which the dataset open   : %7.3f s  (grid and paint: %.3f s)\n", gd, go - gd
    printf "    Ctrl+End to last row painted  : %7.3f s  (open + last: %.2f x raw store + every row)\n", gl, (go + gl) / ra
    printf "    Ctrl+Home to first row painted: %7.3f s\n", gf
    printf "    peak memory                   : %8.1f MB (%.2f x raw)\n", gm / 1024, gm / rm
    printf "  grid, QueryAllRecords\n"
    printf "    open to first paint           : %7.3f s  (%.2f x raw store + every row)\n", ao, ao / ra
    printf "      of which the dataset open   : %7.3f s  (grid and paint: %.3f s)\n", ad, ao - ad
    printf "    Ctrl+End to last row painted  : %7.3f s\n", al
    printf "    Ctrl+Home to first row painted: %7.3f s\n", af
    printf "    peak memory                   : %8.1f MB (%.2f x raw)\n", am / 1024, am / rm
    printf "  grid, rows streamed beside the window (as the main window opens a table)\n"
    printf "    open to first paint           : %7.3f s  (%.2f x raw store + first screen; %d rows had arrived)\n", so, so / rs, ss
    printf "      of which the dataset open   : %7.3f s  (grid and paint: %.3f s)\n", sd, so - sd
    printf "    Ctrl+End to last row painted  : %7.3f s  (open + last: %.2f x raw store + every row)\n", sl, (so + sl) / ra
    printf "    Ctrl+Home to first row painted: %7.3f s\n", sf
    printf "    peak memory (after last row)  : %8.1f MB (%.2f x raw)\n", sm / 1024, sm / rm
  }'
done
