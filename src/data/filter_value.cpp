#include "data/filter_value.h"

#include "data/field_value.h"

#include <charconv>
#include <cmath>

void FilterValue::Assign(const FilterValue& v) {
    kind = v.kind;
    i = v.i;
    d = v.d;
    b = v.b;
    if (v.kind == FilterKind::Text)
        text.assign(v.text);
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when s is [+-]digits[.digits][e[+-]digits] with at least one digit before or after the
// point; fraction tells whether it has a point or an exponent.
bool IsNumberText(std::string_view s, bool& fraction) {
    std::size_t p = 0;
    fraction = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-'))
        ++p;
    std::size_t digits = 0;
    while (p < s.size() && IsDigit(s[p]))
        ++p, ++digits;
    if (p < s.size() && s[p] == '.') {
        fraction = true;
        ++p;
        while (p < s.size() && IsDigit(s[p]))
            ++p, ++digits;
    }
    if (digits == 0)
        return false;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
        fraction = true;
        ++p;
        if (p < s.size() && (s[p] == '+' || s[p] == '-'))
            ++p;
        std::size_t exponent = 0;
        while (p < s.size() && IsDigit(s[p]))
            ++p, ++exponent;
        if (exponent == 0)
            return false;
    }
    return p == s.size();
}

} // namespace

bool ReadNumber(std::string_view text, FilterValue& out) {
    std::string_view s = TrimBlanks(text);
    bool fraction = false;
    if (!IsNumberText(s, fraction))
        return false;
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (!fraction) {
        std::int64_t v = 0;
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec == std::errc() && p == s.data() + s.size()) {
            out.SetInteger(v);
            return true;
        }
    }
    double d = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (ec == std::errc::result_out_of_range)
        d = (s.front() == '-' ? -1 : 1) * HUGE_VAL;
    else if (ec != std::errc())
        return false;
    out.SetFloat(d);
    return true;
}

std::int64_t AsInteger(const FilterValue& v) {
    switch (v.kind) {
    case FilterKind::Integer:
        return v.i;
    case FilterKind::Boolean:
        return v.b ? -1 : 0;
    case FilterKind::Float:
    case FilterKind::Text: {
        const double d = AsFloat(v);
        // Out of range (and NaN) have no integer: they read as 0 like any text that is no number.
        if (!(d > -9223372036854775808.0 && d < 9223372036854775808.0))
            return 0;
        return static_cast<std::int64_t>(d);
    }
    }
    return 0;
}

double AsFloat(const FilterValue& v) {
    switch (v.kind) {
    case FilterKind::Integer:
        return static_cast<double>(v.i);
    case FilterKind::Float:
        return v.d;
    case FilterKind::Boolean:
        return v.b ? -1 : 0;
    case FilterKind::Text: {
        FilterValue n;
        if (!ReadNumber(v.text, n))
            return 0;
        return n.kind == FilterKind::Integer ? static_cast<double>(n.i) : n.d;
    }
    }
    return 0;
}

bool AsBoolean(const FilterValue& v) {
    switch (v.kind) {
    case FilterKind::Integer:
        return v.i != 0;
    case FilterKind::Float:
        return v.d != 0;
    case FilterKind::Boolean:
        return v.b;
    case FilterKind::Text: {
        FilterValue n;
        if (!ReadNumber(v.text, n))
            return false;
        return n.kind == FilterKind::Integer ? n.i != 0 : n.d != 0;
    }
    }
    return false;
}

void AppendText(const FilterValue& v, std::string& out) {
    char buf[64];
    switch (v.kind) {
    case FilterKind::Integer: {
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v.i);
        out.append(buf, p);
        return;
    }
    case FilterKind::Float: {
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v.d);
        out.append(buf, p);
        return;
    }
    case FilterKind::Boolean:
        out += v.b ? "True" : "False";
        return;
    case FilterKind::Text:
        out += v.text;
        return;
    }
}

std::string AsText(const FilterValue& v) {
    std::string s;
    AppendText(v, s);
    return s;
}

bool IsTruthy(const FilterValue& v) {
    if (v.kind != FilterKind::Text)
        return AsBoolean(v);
    FilterValue n;
    if (!ReadNumber(v.text, n))
        return true;
    return n.kind == FilterKind::Integer ? n.i != 0 : n.d != 0;
}
