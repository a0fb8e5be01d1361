// The operators of the filter evaluator applied to values. The right operand follows the kind of
// the left one (a text compares and joins as text, a boolean as a boolean), except that two numbers
// meet as numbers: integers stay exact while they fit in 64 bits and move to floating point when
// they would overflow. Nothing traps: integer division by zero and the overflows that have no
// floating-point meaning raise an error instead.
#pragma once

#include "data/filter_like.h"
#include "data/filter_value.h"

#include <cstdint>

enum class FilterOp : std::uint8_t {
    And,
    Or,
    Xor,
    Not,
    Equal,
    Less,
    Greater,
    GreaterEqual,
    LessEqual,
    NotEqual,
    Add,
    Subtract,
    Like,
    Multiply,
    Divide,
    Remainder,
    Power,
    Negate,
};

const char* FilterOpText(FilterOp op);

// <0, 0, >0 as a compares with b (b taken in a's kind; two numbers as numbers); 2 when a number
// that is not a number (NaN) takes part.
int CompareFilterValues(const FilterValue& a, const FilterValue& b, std::string& scratch);

// a := a op b for the binary operators; pattern serves LIKE and keeps the compiled pattern.
void ApplyBinary(FilterOp op, FilterValue& a, const FilterValue& b, LikePattern& pattern,
                 std::string& scratch);
// a := op a for NOT and the prefix minus.
void ApplyUnary(FilterOp op, FilterValue& a);
