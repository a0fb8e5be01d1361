// The values of the filter evaluator: integers (64-bit), floating point, texts and booleans, the
// conversions between them and the truth test that decides whether a row is shown.
#pragma once

#include "data/db_error.h"

#include <cstdint>
#include <string>
#include <string_view>

// Every failure of the filter evaluator, compiling or evaluating.
class EParserError : public EDatabaseError {
public:
    explicit EParserError(const std::string& message) : EDatabaseError(message) {}
};

namespace parsererr {
inline constexpr const char* kSyntax = "Syntax error";
inline constexpr const char* kTypesMismatch = "Types mismatch";
inline constexpr const char* kVariableIndex = "Incorrect variable index";
inline constexpr const char* kOperation = "Incorrect operation";
inline constexpr const char* kStackFull = "Stack is full";
inline constexpr const char* kStackEmpty = "Stack is empty";
inline constexpr const char* kEvaluation = "Evalution error";
inline constexpr const char* kTooLong = "Expression is too long";
inline constexpr const char* kTooDeep = "Expression is nested too deeply";
inline constexpr const char* kTooManyVariables = "Too many variables";
inline constexpr const char* kTooManyFunctions = "Too many functions";
inline constexpr const char* kDivisionByZero = "Division by zero";
inline constexpr const char* kIntegerOverflow = "Integer overflow";
} // namespace parsererr

enum class FilterKind : std::uint8_t { Integer, Float, Text, Boolean };

// One value. A text value owns its characters; assigning into an existing value reuses its
// capacity, so evaluating row after row settles without allocating.
struct FilterValue {
    FilterKind kind = FilterKind::Integer;
    std::int64_t i = 0;
    double d = 0;
    bool b = false;
    std::string text;

    static FilterValue Integer(std::int64_t v) { return {FilterKind::Integer, v, 0, false, {}}; }
    static FilterValue Float(double v) { return {FilterKind::Float, 0, v, false, {}}; }
    static FilterValue Boolean(bool v) { return {FilterKind::Boolean, 0, 0, v, {}}; }
    static FilterValue Text(std::string_view v) {
        return {FilterKind::Text, 0, 0, false, std::string(v)};
    }

    void SetInteger(std::int64_t v) { kind = FilterKind::Integer, i = v; }
    void SetFloat(double v) { kind = FilterKind::Float, d = v; }
    void SetBoolean(bool v) { kind = FilterKind::Boolean, b = v; }
    void SetText(std::string_view v) { kind = FilterKind::Text, text.assign(v); }
    void Assign(const FilterValue& v);

    bool IsNumber() const { return kind == FilterKind::Integer || kind == FilterKind::Float; }
};

// A text read as a number: a whole number within 64 bits stays an integer, any other number
// (a fraction, an exponent, a whole number beyond 64 bits) is floating point. False when the
// text is not a number; blanks around it are allowed.
bool ReadNumber(std::string_view text, FilterValue& out);

// The conversions of one value into another kind: texts that are not numbers read as 0, true is
// -1 as a number, a number is true when it is not 0, a text when it reads as a number that is
// not 0.
std::int64_t AsInteger(const FilterValue& v);
double AsFloat(const FilterValue& v);
bool AsBoolean(const FilterValue& v);
// Appends the value's text: integers in decimal, floats in their shortest form with "." as
// separator, booleans "True"/"False".
void AppendText(const FilterValue& v, std::string& out);
std::string AsText(const FilterValue& v);

// Whether a row whose filter gave v is shown: a number or a boolean when it is not 0 or false, a
// text when it reads as a number that is not 0 or does not read as a number at all.
bool IsTruthy(const FilterValue& v);
