// The built-in functions of the filter evaluator.
#pragma once

#include "data/filter_value.h"

#include <functional>
#include <span>
#include <string>

// A function of the evaluator: computes result from the arguments (result is a value of the
// evaluator's own, never one of the arguments). Raises EParserError for a wrong argument count.
using FilterFunction = std::function<void(std::span<const FilterValue> args, FilterValue& result)>;

// The text raised when a function is given a number of arguments it does not take.
std::string IncorrectParamsText(const std::string& name);

struct BuiltinFunction {
    const char* name;
    FilterFunction routine;
};

// NOW, MAX, MIN, IIF, SUM, SIN, COS, TAN, EXP, LN, ABS, SQRT, in that order.
std::span<const BuiltinFunction> BuiltinFunctions();
