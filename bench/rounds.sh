# shellcheck shell=bash
# What the benchmark run scripts share (sourced, not run).

# The median and the spread (lowest-highest) of the numbers on standard input, one a line.
median() { sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
spread() { sort -g | awk 'NR==1 {lo=$1} {hi=$1} END {printf "%s-%s", lo, hi}'; }

# Runs each of the modes once to warm the server's caches, then ROUNDS interleaved rounds of
# them, so that drift of the machine falls on every mode alike: "run MODE" prints one line, which
# goes to $tmp/MODE.
# shellcheck disable=SC2154 # tmp is the sourcing script's folder
run_rounds() { # rounds mode...
  local rounds=$1 r m
  shift
  for m in "$@"; do run "$m" >/dev/null; : >"$tmp/$m"; done
  for ((r = 0; r < rounds; r++)); do
    for m in "$@"; do run "$m" >>"$tmp/$m"; done
  done
}
