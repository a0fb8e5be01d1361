#!/usr/bin/env bash
# Runs bench/filter_search over 1,000,000 rows (or the size given): the filter, Locate and Refresh
# against hand-written loops and the raw client library, with their ratios.
#
#   bench/run_filter_search.sh [N]     environment: KESTREL_BUILD_DIR, ROUNDS (default 5)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${KESTREL_BUILD_DIR:-$here/../build}
bin=$build/bench/filter_search
"$bin" fill "${1:-1000000}"
"$bin" run
