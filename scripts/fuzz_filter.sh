#!/usr/bin/env bash
# Fuzzes the filter evaluator (compiler and evaluator) with libFuzzer for a bounded time.
#   bash scripts/fuzz_filter.sh [seconds]      (default 60)
# Builds build-fuzz-filter/filter_fuzz with clang, AddressSanitizer and UndefinedBehaviorSanitizer; the
# normal build does not need clang. Findings are written to build-fuzz-filter/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    apt-get update -qq
    apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
fi

out=build-fuzz-filter
mkdir -p "$out/corpus" "$out/findings"
sources=(fuzz/filter_fuzz.cpp src/data/filter_functions.cpp src/data/filter_like.cpp
         src/data/filter_operations.cpp src/data/filter_parser.cpp src/data/filter_value.cpp
         src/data/field_value.cpp src/data/field_types.cpp src/data/text_utils.cpp)
clang++ -std=c++20 -O1 -g -Isrc -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined "${sources[@]}" -o "$out/filter_fuzz"

# One seed file per line of the seed list.
n=0
while IFS= read -r line; do
    n=$((n + 1))
    printf '%s' "$line" > "$out/corpus/seed$n"
done < fuzz/seeds.txt

"$out/filter_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
    -artifact_prefix="$out/findings/" "$out/corpus"
