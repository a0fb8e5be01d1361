#include "data/filter_functions.h"

#include "data/filter_like.h"
#include "data/filter_operations.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

std::string IncorrectParamsText(const std::string& name) {
    return "Incorrect params in function " + name + "()";
}

namespace {

void CheckCount(std::span<const FilterValue> args, const char* name, std::size_t least,
                std::size_t most) {
    if (args.size() < least || args.size() > most)
        throw EParserError(IncorrectParamsText(name));
}

void Now(std::span<const FilterValue> args, FilterValue& result) {
    CheckCount(args, "NOW", 0, 0);
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    result.SetText(buf);
}

// The greatest (sign 1) or least (sign -1) argument, compared as the comparison operators do.
void Extreme(std::span<const FilterValue> args, FilterValue& result, const char* name, int sign) {
    CheckCount(args, name, 1, SIZE_MAX);
    std::string scratch;
    std::size_t best = 0;
    for (std::size_t k = 1; k < args.size(); ++k)
        if (const int c = CompareFilterValues(args[k], args[best], scratch); c != 2 && c * sign > 0)
            best = k;
    result.Assign(args[best]);
}

void Iif(std::span<const FilterValue> args, FilterValue& result) {
    CheckCount(args, "IIF", 3, 3);
    result.Assign(AsBoolean(args[0]) ? args[1] : args[2]);
}

void Sum(std::span<const FilterValue> args, FilterValue& result) {
    CheckCount(args, "SUM", 1, SIZE_MAX);
    result.Assign(args[0]);
    LikePattern unused;
    std::string scratch;
    for (std::size_t k = 1; k < args.size(); ++k)
        ApplyBinary(FilterOp::Add, result, args[k], unused, scratch);
}

// A function of one number; f is a lambda around the <cmath> function, whose overloads have no
// address of their own.
FilterFunction Unary(const char* name, double (*f)(double)) {
    return [name, f](std::span<const FilterValue> args, FilterValue& result) {
        CheckCount(args, name, 1, 1);
        result.SetFloat(f(AsFloat(args[0])));
    };
}

void Abs(std::span<const FilterValue> args, FilterValue& result) {
    CheckCount(args, "ABS", 1, 1);
    const FilterValue& a = args[0];
    if (a.kind == FilterKind::Integer && a.i != std::numeric_limits<std::int64_t>::min())
        return result.SetInteger(a.i < 0 ? -a.i : a.i);
    result.SetFloat(std::fabs(AsFloat(a)));
}

} // namespace

std::span<const BuiltinFunction> BuiltinFunctions() {
    static const BuiltinFunction functions[] = {
        {"NOW", Now},
        {"MAX", [](auto args, auto& r) { Extreme(args, r, "MAX", 1); }},
        {"MIN", [](auto args, auto& r) { Extreme(args, r, "MIN", -1); }},
        {"IIF", Iif},
        {"SUM", Sum},
        {"SIN", Unary("SIN", [](double x) { return std::sin(x); })},
        {"COS", Unary("COS", [](double x) { return std::cos(x); })},
        {"TAN", Unary("TAN", [](double x) { return std::tan(x); })},
        {"EXP", Unary("EXP", [](double x) { return std::exp(x); })},
        {"LN", Unary("LN", [](double x) { return std::log(x); })},
        {"ABS", Abs},
        {"SQRT", Unary("SQRT", [](double x) { return std::sqrt(x); })},
    };
    return functions;
}
