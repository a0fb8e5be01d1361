// The fuzz target of the statement scanner and analysis run over generated statements in the
// ordinary build (the full fuzzing with libFuzzer runs from scripts/fuzz.sh).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(StatementFuzz, GeneratedStatementsScanAlikeTokenByTokenAndWhole) {
    const char* pieces[] = {"SELECT", " ",    "a",     "`b c`", ".",    "*",  "/",   "/*",
                            "*/",     "/*!",  "/*!5",  "50000", "/*M!", "--", "-- ", "#",
                            "\n",     "'",    "\"",    "\\",    "''",   "`",  "(",   ")",
                            ",",      "FROM", "WHERE", "1e",    "0x1F", ".5", "$x",  "\xC4"};
    std::mt19937 random(23);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(1, 30);
    for (int run = 0; run < 20000; ++run) {
        std::string input;
        for (int k = length(random); k > 0; --k)
            input += pieces[piece(random)];
        ASSERT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()),
                                         input.size()),
                  0)
            << input;
    }
}

} // namespace
