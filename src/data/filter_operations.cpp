#include "data/filter_operations.h"

#include <cmath>
#include <limits>

const char* FilterOpText(FilterOp op) {
    switch (op) {
    case FilterOp::And:
        return "AND";
    case FilterOp::Or:
        return "OR";
    case FilterOp::Xor:
        return "XOR";
    case FilterOp::Not:
        return "NOT";
    case FilterOp::Equal:
        return "=";
    case FilterOp::Less:
        return "<";
    case FilterOp::Greater:
        return ">";
    case FilterOp::GreaterEqual:
        return ">=";
    case FilterOp::LessEqual:
        return "<=";
    case FilterOp::NotEqual:
        return "<>";
    case FilterOp::Add:
        return "+";
    case FilterOp::Subtract:
        return "-";
    case FilterOp::Like:
        return "LIKE";
    case FilterOp::Multiply:
        return "*";
    case FilterOp::Divide:
        return "/";
    case FilterOp::Remainder:
        return "%";
    case FilterOp::Power:
        return "^";
    case FilterOp::Negate:
        return "~";
    }
    return "?";
}

namespace {

[[noreturn]] void Fail(const char* text) {
    throw EParserError(text);
}

// b as a number for arithmetic and comparison with a number: texts are read, booleans are -1/0.
FilterValue AsNumber(const FilterValue& b) {
    switch (b.kind) {
    case FilterKind::Integer:
        return FilterValue::Integer(b.i);
    case FilterKind::Float:
        return FilterValue::Float(b.d);
    case FilterKind::Boolean:
        return FilterValue::Integer(b.b ? -1 : 0);
    case FilterKind::Text: {
        FilterValue n;
        if (!ReadNumber(b.text, n))
            n.SetInteger(0);
        return n;
    }
    }
    return {};
}

// Not a number compares with nothing, itself included.
constexpr int kUnordered = 2;

template <typename T> int Sign(T x, T y) {
    return (x > y) - (x < y);
}

int CompareNumbers(const FilterValue& a, const FilterValue& b) {
    if (a.kind == FilterKind::Integer && b.kind == FilterKind::Integer)
        return Sign(a.i, b.i);
    const long double x = a.kind == FilterKind::Integer ? a.i : a.d;
    const long double y = b.kind == FilterKind::Integer ? b.i : b.d;
    if (x != x || y != y)
        return kUnordered;
    return Sign(x, y);
}

// Integer arithmetic that moves to floating point when the exact result does not fit.
void Arithmetic(FilterOp op, FilterValue& a, const FilterValue& right) {
    const FilterValue b = AsNumber(right);
    if (a.kind == FilterKind::Integer && b.kind == FilterKind::Integer) {
        std::int64_t r = 0;
        switch (op) {
        case FilterOp::Add:
            if (!__builtin_add_overflow(a.i, b.i, &r))
                return a.SetInteger(r);
            return a.SetFloat(static_cast<double>(a.i) + static_cast<double>(b.i));
        case FilterOp::Subtract:
            if (!__builtin_sub_overflow(a.i, b.i, &r))
                return a.SetInteger(r);
            return a.SetFloat(static_cast<double>(a.i) - static_cast<double>(b.i));
        case FilterOp::Multiply:
            if (!__builtin_mul_overflow(a.i, b.i, &r))
                return a.SetInteger(r);
            return a.SetFloat(static_cast<double>(a.i) * static_cast<double>(b.i));
        case FilterOp::Divide:
            if (b.i == 0)
                Fail(parsererr::kDivisionByZero);
            return a.SetFloat(static_cast<double>(a.i) / static_cast<double>(b.i));
        case FilterOp::Remainder:
            if (b.i == 0)
                Fail(parsererr::kDivisionByZero);
            if (a.i == std::numeric_limits<std::int64_t>::min() && b.i == -1)
                Fail(parsererr::kIntegerOverflow);
            return a.SetInteger(a.i % b.i);
        default:
            Fail(parsererr::kOperation);
        }
    }
    const double x = AsFloat(a), y = AsFloat(b);
    switch (op) {
    case FilterOp::Add:
        return a.SetFloat(x + y);
    case FilterOp::Subtract:
        return a.SetFloat(x - y);
    case FilterOp::Multiply:
        return a.SetFloat(x * y);
    case FilterOp::Divide:
        return a.SetFloat(x / y);
    case FilterOp::Remainder:
        return a.SetFloat(std::fmod(x, y));
    default:
        Fail(parsererr::kOperation);
    }
}

void Logical(FilterOp op, FilterValue& a, const FilterValue& b) {
    if (a.kind == FilterKind::Boolean) {
        const bool x = a.b, y = AsBoolean(b);
        return a.SetBoolean(op == FilterOp::And ? x && y : op == FilterOp::Or ? x || y : x != y);
    }
    if (a.kind == FilterKind::Integer && b.kind != FilterKind::Float) {
        const std::int64_t x = a.i, y = AsInteger(b);
        return a.SetInteger(op == FilterOp::And  ? x & y
                            : op == FilterOp::Or ? x | y
                                                 : (x & ~y) | (~x & y));
    }
    Fail(parsererr::kTypesMismatch);
}

bool IsComparison(FilterOp op) {
    return op >= FilterOp::Equal && op <= FilterOp::NotEqual;
}

} // namespace

int CompareFilterValues(const FilterValue& a, const FilterValue& b, std::string& scratch) {
    switch (a.kind) {
    case FilterKind::Text: {
        if (b.kind == FilterKind::Text)
            return a.text.compare(b.text) < 0 ? -1 : a.text == b.text ? 0 : 1;
        scratch.clear();
        AppendText(b, scratch);
        const int c = a.text.compare(scratch);
        return (c > 0) - (c < 0);
    }
    case FilterKind::Boolean:
        return Sign<int>(a.b, AsBoolean(b));
    case FilterKind::Integer:
    case FilterKind::Float:
        // No copy of b: its text (left from an earlier use of its slot) need not be copied.
        if (b.IsNumber())
            return CompareNumbers(a, b);
        return CompareNumbers(a, AsNumber(b));
    }
    return 0;
}

void ApplyBinary(FilterOp op, FilterValue& a, const FilterValue& b, LikePattern& pattern,
                 std::string& scratch) {
    if (IsComparison(op)) {
        const int c = CompareFilterValues(a, b, scratch);
        bool r = false;
        if (c == kUnordered)
            return a.SetBoolean(op == FilterOp::NotEqual);
        switch (op) {
        case FilterOp::Equal:
            r = c == 0;
            break;
        case FilterOp::Less:
            r = c < 0;
            break;
        case FilterOp::Greater:
            r = c > 0;
            break;
        case FilterOp::GreaterEqual:
            r = c >= 0;
            break;
        case FilterOp::LessEqual:
            r = c <= 0;
            break;
        default:
            r = c != 0;
            break;
        }
        return a.SetBoolean(r);
    }
    switch (op) {
    case FilterOp::And:
    case FilterOp::Or:
    case FilterOp::Xor:
        return Logical(op, a, b);
    case FilterOp::Like: {
        if (b.kind == FilterKind::Text) {
            pattern.Compile(b.text);
        } else {
            scratch.clear();
            AppendText(b, scratch);
            pattern.Compile(scratch);
        }
        if (a.kind != FilterKind::Text) {
            scratch.clear();
            AppendText(a, scratch);
            return a.SetBoolean(pattern.Matches(scratch));
        }
        return a.SetBoolean(pattern.Matches(a.text));
    }
    case FilterOp::Power:
        return a.SetFloat(std::pow(AsFloat(a), AsFloat(b)));
    case FilterOp::Add:
        if (a.kind == FilterKind::Text)
            return AppendText(b, a.text);
        [[fallthrough]];
    case FilterOp::Subtract:
    case FilterOp::Multiply:
    case FilterOp::Divide:
    case FilterOp::Remainder:
        if (a.kind == FilterKind::Boolean)
            Fail(parsererr::kOperation);
        if (a.kind == FilterKind::Text)
            a = AsNumber(a);
        return Arithmetic(op, a, b);
    default:
        Fail(parsererr::kOperation);
    }
}

void ApplyUnary(FilterOp op, FilterValue& a) {
    if (op == FilterOp::Not)
        return a.SetBoolean(!AsBoolean(a));
    if (op != FilterOp::Negate || a.kind == FilterKind::Boolean)
        Fail(parsererr::kOperation);
    if (a.kind == FilterKind::Text)
        a = AsNumber(a);
    if (a.kind == FilterKind::Float)
        return a.SetFloat(-a.d);
    if (a.i == std::numeric_limits<std::int64_t>::min())
        Fail(parsererr::kIntegerOverflow);
    a.SetInteger(-a.i);
}
