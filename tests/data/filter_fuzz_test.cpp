// The fuzz target of the filter evaluator run over generated expressions in the ordinary build
// (the full fuzzing with libFuzzer runs from scripts/fuzz_filter.sh).
#include "data/filter_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void RunTarget(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// How far an expression gets: refused when compiled, refused when evaluated, or evaluated.
enum class Reached { Refused, CompiledOnly, Evaluated };

Reached HowFar(const std::string& expression) {
    TParser parser;
    try {
        parser.SetEquation(expression);
    } catch (const EParserError&) {
        return Reached::Refused;
    }
    try {
        (void)parser.Evaluate();
    } catch (const EParserError&) {
        return Reached::CompiledOnly;
    }
    return Reached::Evaluated;
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
    int compiled = 0;
    int evaluated = 0;
    for (int run = 0; run < 20000; ++run) {
        std::string expression;
        for (int k = length(random); k > 0; --k)
            expression += std::string(pieces[piece(random)]) + " ";
        std::string input = expression;
        input += '\0';
        input += "-9223372036854775808";
        input += '\0';
        input += "abc";
        // Anything but a parser error escaping the target (or a crash) is a fault.
        ASSERT_NO_THROW(RunTarget(input)) << input;
        const Reached reached = HowFar(expression);
        compiled += reached != Reached::Refused;
        evaluated += reached == Reached::Evaluated;
    }
    // The generated expressions reach the evaluator, not only the parser's refusals.
    EXPECT_GT(compiled, 100) << compiled;
    EXPECT_GT(evaluated, 100) << evaluated;
}

} // namespace
