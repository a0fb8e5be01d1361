#!/usr/bin/env bash
# Runs bench/open_table at 100,000 and 1,000,000 rows (or the sizes given), alternating the raw
# client library, TMySQLQuery (query) and TMySQLQuery with StreamRows (query-stream: the walk runs
# while a reader converts the rest of the rows on a second core) so that machine drift cancels, and
# prints the median wall time and peak memory (from /usr/bin/time -v) of each and their ratios to
# raw, with the CPU time (user+sys) of each process, which a busy machine disturbs less.
#
# With SERVER_PID (the process id of the server answering on this machine) it also prints the
# server's CPU time during each mode's runs: when that is close to raw's wall time, the server is
# what limits the raw side.
#
#   bench/run_open_table.sh [N ...]     environment: KESTREL_BUILD_DIR, ROUNDS (default 5),
#                                        KESTREL_BENCH_HOST, SERVER_PID
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${KESTREL_BUILD_DIR:-$here/../build}
bin=$build/bench/open_table
rounds=${ROUNDS:-5}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000)

modes=(raw query query-stream)

server_cpu() { # the server's user+sys seconds so far (0 without SERVER_PID)
  if [ -n "${SERVER_PID:-}" ]; then
    awk -v hz="$(getconf CLK_TCK)" '{print ($14 + $15) / hz}' "/proc/$SERVER_PID/stat"
  else echo 0; fi
}

run() { # mode -> "seconds maxrss_kb cpu_seconds server_cpu_seconds"
  local secs kb cpu before
  before=$(server_cpu)
  /usr/bin/time -v "$bin" "$1" >"$tmp/out" 2>"$tmp/err" || true
  secs=$(sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' "$tmp/out")
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$tmp/err")
  cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {print s}' "$tmp/err")
  [ -n "$secs" ] || { cat "$tmp/out" "$tmp/err" >&2; exit 1; }
  echo "$secs $kb $cpu $(awk -v a="$before" -v b="$(server_cpu)" 'BEGIN {print b - a}')"
}

source "$here/rounds.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for n in "${sizes[@]}"; do
  "$bin" fill "$n" >/dev/null
  run_rounds "$rounds" "${modes[@]}"
  printf 'N=%d (median of %d alternating runs)\n' "$n" "$rounds"
  rt=$(cut -d' ' -f1 "$tmp/raw" | median); rm_=$(cut -d' ' -f2 "$tmp/raw" | median)
  for m in "${modes[@]}"; do
    t=$(cut -d' ' -f1 "$tmp/$m" | median); mem=$(cut -d' ' -f2 "$tmp/$m" | median)
    cpu=$(cut -d' ' -f3 "$tmp/$m" | median); server=$(cut -d' ' -f4 "$tmp/$m" | median)
    awk -v m="$m" -v t="$t" -v mem="$mem" -v cpu="$cpu" -v rt="$rt" -v rm="$rm_" -v sv="$server" 'BEGIN {
      printf "  %-13s: %7.3f s  %8.1f MB peak  %5.2f s CPU   %5.2f x raw time  %5.2f x raw memory",
             m, t, mem / 1024, cpu, t / rt, mem / rm
      if (sv > 0) printf "   server %5.2f s CPU", sv
      printf "\n" }'
  done
done
