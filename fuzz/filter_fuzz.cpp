// Fuzz target of the filter evaluator: the input is an expression, optionally followed by a NUL
// byte and values for its variables separated by NUL bytes. Compiling and evaluating may raise
// EParserError and nothing else; anything else (a crash, a sanitizer report, another exception)
// is a fault.
#include "data/filter_parser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view expression = input.substr(0, nul);
    std::string_view values =
        nul == std::string_view::npos ? std::string_view{} : input.substr(nul + 1);
    TParser parser;
    try {
        parser.SetEquation(expression);
    } catch (const EParserError&) {
        return 0;
    }
    // Two rounds, so that values left from one evaluation meet the next.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t k = 0; k < parser.VariableCount(); ++k) {
            const std::size_t end = values.find('\0');
            const std::string_view text = values.substr(0, end);
            values = end == std::string_view::npos ? std::string_view{} : values.substr(end + 1);
            FilterValue value;
            if (!ReadNumber(text, value))
                value.SetText(text);
            parser.VariableValue(k).Assign(value);
        }
        try {
            const FilterValue& result = parser.Evaluate();
            (void)IsTruthy(result);
            (void)AsText(result);
        } catch (const EParserError&) {
        }
    }
    return 0;
}
