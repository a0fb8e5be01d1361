#!/usr/bin/env bash
# Runs bench/open_table at 100,000 and 1,000,000 rows (or the sizes given), alternating the raw
# client library and TMySQLQuery so that machine drift cancels, and prints the median wall time
# and peak memory (from /usr/bin/time -v) of each and their ratios.
#
#   bench/run_open_table.sh [N ...]     environment: KESTREL_BUILD_DIR, ROUNDS (default 5)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${KESTREL_BUILD_DIR:-$here/../build}
bin=$build/bench/open_table
rounds=${ROUNDS:-5}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000)

run() { # mode -> "seconds maxrss_kb"
  local out secs kb
  out=$( { /usr/bin/time -v "$bin" "$1" >"$tmp/out" 2>"$tmp/err"; } 2>&1 || true)
  secs=$(sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' "$tmp/out")
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$tmp/err")
  [ -n "$secs" ] || { cat "$tmp/out" "$tmp/err" >&2; exit 1; }
  echo "$secs $kb"
}

median() { sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for n in "${sizes[@]}"; do
  "$bin" fill "$n" >/dev/null
  run raw >/dev/null; run query >/dev/null # warm the server's caches
  : >"$tmp/raw"; : >"$tmp/query"
  for ((r = 0; r < rounds; r++)); do
    run raw >>"$tmp/raw"
    run query >>"$tmp/query"
  done
  rt=$(cut -d' ' -f1 "$tmp/raw" | median); rm_=$(cut -d' ' -f2 "$tmp/raw" | median)
  qt=$(cut -d' ' -f1 "$tmp/query" | median); qm=$(cut -d' ' -f2 "$tmp/query" | median)
  awk -v n="$n" -v rt="$rt" -v rm="$rm_" -v qt="$qt" -v qm="$qm" -v r="$rounds" 'BEGIN {
    printf "N=%d (median of %d alternating runs)\n", n, r
    printf "  raw store+fetch : %7.3f s  %8.1f MB peak\n", rt, rm / 1024
    printf "  TMySQLQuery     : %7.3f s  %8.1f MB peak\n", qt, qm / 1024
    printf "  ratio           : %7.2f x time  %6.2f x memory\n", qt / rt, qm / rm
  }'
done
