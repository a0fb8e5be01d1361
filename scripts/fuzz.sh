#!/usr/bin/env bash
# Fuzzes the statement scanner and the statement analysis with libFuzzer for a bounded time
# (default 60 seconds), in a clang build of its own (build-fuzz/). The normal build does not need
# clang. Findings, if any, are written to build-fuzz/findings/.
#
#   scripts/fuzz.sh [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${KESTREL_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}

if ! command -v clang++ >/dev/null 2>&1 ||
    ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "fuzz.sh: installing clang with libFuzzer" >&2
    apt-get install -y clang libclang-rt-14-dev >/dev/null
fi
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" \
    -DKESTREL_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build" --target kestrel_fuzz_statements --parallel 2

corpus=$build/corpus
mkdir -p "$corpus" "$build/findings"
# A few statements to start from.
i=0
while IFS= read -r line; do
    printf '%s' "$line" >"$corpus/seed$i"
    i=$((i + 1))
done <<'SEEDS'
SELECT a.id, b.id AS `x.y`, 'C:\\' AS dir FROM `db`.`t` a JOIN b ON a.id = b.id WHERE 1
select*from`t`-- comment
SELECT * /* FROM x */ FROM my$table, full, $dollar # end
SELECT /*!50000 STRAIGHT_JOIN */ x.* FROM t AS x, `a``b`.c = q ORDER BY 1
SEEDS
cd "$build"
ASAN_OPTIONS=detect_leaks=1 ./kestrel_fuzz_statements -max_total_time="$seconds" -max_len=4096 \
    -artifact_prefix="$build/findings/" "$corpus"
