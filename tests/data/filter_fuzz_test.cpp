// The fuzz target of the filter evaluator run over generated expressions in the ordinary build
// (the full fuzzing with libFuzzer runs from scripts/fuzz_filter.sh).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int RunTarget(const std::string& input) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()),
                                  input.size());
}

TEST(FilterFuzz, GeneratedExpressionsRaiseOnlyParserErrors) {
    const char* pieces[] = {"A",    "B",    "[x y]", "1",    "0",    "-9223372036854775808",
                            "2.5",  "'t*'", "'č'",   "TRUE", "(",    ")",
                            ",",    "+",    "-",     "*",    "/",    "%",
                            "^",    "=",    "<>",    ">=",   "AND",  "NOT",
                            "LIKE", "XOR",  "IIF(",  "MAX(", "SUM(", "SQRT(",
                            "NOW(", "ABS(", "'[!a-", "?",    "\xC4", "9223372036854775807"};
    std::mt19937 random(13);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(1, 40);
    for (int run = 0; run < 20000; ++run) {
        std::string input;
        for (int k = length(random); k > 0; --k)
            input += std::string(pieces[piece(random)]) + " ";
        input += '\0';
        input += "-9223372036854775808";
        input += '\0';
        input += "abc";
        ASSERT_EQ(RunTarget(input), 0) << input;
    }
}

} // namespace
