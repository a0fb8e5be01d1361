#!/usr/bin/env bash
# Whole processes reading the benchmark table of bench/open_table (1,000,000 rows, or the size
# given): each run starts a process that connects, reads every row and every field, and exits, and
# its wall time and peak memory are taken from outside (/usr/bin/time). Interleaved in each round:
#   raw      open_table raw: the client library alone (mysql_store_result + mysql_fetch_row)
#   kestrel  open_table query: TMySQLQuery with QueryAllRecords, every field read as text
#   stream   open_table query-stream: the same with StreamRows, the walk running while a reader
#            converts the rest of the rows on a second core
#   mysqldb  mysqldb_read.py: Python MySQLdb, cursor.fetchall() and every field touched
# and it prints the median and the spread (lowest-highest) of each and the ratios of the medians.
# The Python peer is left out, with a message, when python3-mysqldb is not installed.
#
#   bench/run_open_process.sh [N]     environment: KESTREL_BUILD_DIR, ROUNDS (default 5), PYTHON
#                                      (default /usr/bin/python3), KESTREL_BENCH_HOST, _USER, _PASSWORD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${KESTREL_BUILD_DIR:-$here/../build}
bin=$build/bench/open_table
rounds=${ROUNDS:-5}
n=${1:-1000000}
python=${PYTHON:-/usr/bin/python3}
database=kt_bench_open_table

modes=(raw kestrel stream)
if "$python" -c 'import MySQLdb' 2>/dev/null; then
  modes+=(mysqldb)
else
  echo "python3-mysqldb is not installed for $python: the Python peer is left out" >&2
fi

command_of() {
  case $1 in
    raw) echo "$bin raw" ;;
    kestrel) echo "$bin query" ;;
    stream) echo "$bin query-stream" ;;
    mysqldb) echo "$python $here/mysqldb_read.py $database" ;;
  esac
}

run() { # mode -> "seconds maxrss_kb" of the whole process
  # shellcheck disable=SC2046
  /usr/bin/time -o "$tmp/time" -f 'wall=%e maxrss=%M cpu=%U+%S' $(command_of "$1") >"$tmp/out" 2>"$tmp/err" ||
    { echo "$1 failed:" >&2; cat "$tmp/out" "$tmp/err" >&2; exit 1; }
  grep -q 'rows=' "$tmp/out" || { echo "$1 printed no rows" >&2; cat "$tmp/err" >&2; exit 1; }
  sed -n 's/.*wall=\([0-9.]*\) maxrss=\([0-9]*\) cpu=\([0-9.]*\)+\([0-9.]*\).*/\1 \2 \3 \4/p' "$tmp/time" |
    awk '{printf "%s %s %.2f\n", $1, $2, $3 + $4}'
}

source "$here/rounds.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$bin" fill "$n" >/dev/null
run_rounds "$rounds" "${modes[@]}"

printf 'N=%d whole processes (connect, read every field, exit), %d interleaved rounds\n' "$n" "$rounds"
rt=$(cut -d' ' -f1 "$tmp/raw" | median)
if awk -v rt="$rt" 'BEGIN { exit !(rt < 0.05) }'; then
  echo "the raw process took ${rt} s: too short for a 10 ms timer to compare; give a larger N" >&2
  exit 1
fi
for m in "${modes[@]}"; do
  t=$(cut -d' ' -f1 "$tmp/$m" | median); mem=$(cut -d' ' -f2 "$tmp/$m" | median)
  awk -v m="$m" -v t="$t" -v s="$(cut -d' ' -f1 "$tmp/$m" | spread)" -v mem="$mem" -v rt="$rt" \
      -v rm="$(cut -d' ' -f2 "$tmp/raw" | median)" -v cpu="$(cut -d' ' -f3 "$tmp/$m" | median)" 'BEGIN {
    printf "  %-8s: %6.2f s (%s)  %7.1f MB peak  %5.2f s CPU   %5.2f x raw time  %5.2f x raw memory\n",
           m, t, s, mem / 1024, cpu, t / rt, mem / rm }'
done
if [ -s "$tmp/mysqldb" ]; then
  for m in kestrel stream; do
    awk -v m="$m" -v k="$(cut -d' ' -f1 "$tmp/$m" | median)" \
      -v p="$(cut -d' ' -f1 "$tmp/mysqldb" | median)" \
      'BEGIN { printf "  Kestrel (%s) is %.2f x faster than the Python peer\n", m, p / k }'
  done
fi
