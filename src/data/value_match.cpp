#include "data/value_match.h"

#include "data/field_value.h"
#include "data/filter_like.h"
#include "data/filter_value.h"

#include <charconv>

void AssignShownDateTime(std::string_view text, std::string& out) {
    std::string_view date, time;
    ShownDateTimeParts(text, date, time);
    out.assign(date);
    if (!date.empty() && !time.empty())
        out += ' ';
    out += time;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
        if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j)))
            return false;
    return i == a.size() && j == b.size();
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    std::size_t i = 0, j = 0;
    while (j < prefix.size()) {
        if (i >= text.size() ||
            FoldCase(NextCodePoint(text, i)) != FoldCase(NextCodePoint(prefix, j)))
            return false;
    }
    return true;
}

ValueMatcher::ValueMatcher(FieldType type, bool isUnsigned, std::string_view search,
                           unsigned options, bool nullMatchesNothing)
    : type_(type), unsigned_(isUnsigned), caseInsensitive_(options & loCaseInsensitive),
      partial_(options & loPartialKey), nullMatchesNothing_(nullMatchesNothing), never_(false),
      search_(search) {
    if (KindOf(type) == ValueKind::DateTime)
        AssignShownDateTime(search, search_);
    if (!IsBinaryNumberType(type) || partial_)
        return;
    if (unsigned_) {
        std::uint64_t u = 0;
        auto [p, ec] = std::from_chars(search.data(), search.data() + search.size(), u);
        if (ec == std::errc() && p == search.data() + search.size() && !search.empty()) {
            number_ = Number::Unsigned;
            unsignedValue_ = u;
            return;
        }
    }
    FilterValue n;
    if (!ReadNumber(search, n))
        return;
    if (n.kind == FilterKind::Integer) {
        number_ = Number::Signed;
        signed_ = n.i;
    } else {
        number_ = Number::Real;
        real_ = n.d;
    }
}

ValueMatcher ValueMatcher::NeverMatch() {
    return ValueMatcher();
}

bool ValueMatcher::Matches(const ValueView& value) const {
    if (never_)
        return false;
    if (value.null) {
        if (nullMatchesNothing_)
            return false;
        return search_.empty();
    }
    if (partial_) {
        if (search_.empty())
            return DisplayText(type_, unsigned_, value).empty();
        if (IsTextType(type_) && KindOf(type_) != ValueKind::DateTime)
            return MatchesText(value.text);
        return MatchesText(DisplayText(type_, unsigned_, value));
    }
    switch (KindOf(type_)) {
    case ValueKind::Integer:
    case ValueKind::Float:
        return MatchesNumber(value);
    case ValueKind::Decimal:
        return CompareDecimalTexts(value.text, search_) == 0;
    case ValueKind::Boolean:
        return !search_.empty() &&
               (value.i != 0) == (search_.front() == 'Y' || search_.front() == 'y');
    case ValueKind::DateTime:
        return MatchesDateTime(value.text);
    default:
        return MatchesText(value.text);
    }
}

bool ValueMatcher::MatchesNumber(const ValueView& value) const {
    long double v = 0;
    if (KindOf(type_) == ValueKind::Float) {
        v = value.d;
    } else if (unsigned_) {
        const auto u = static_cast<std::uint64_t>(value.i);
        if (number_ == Number::Unsigned)
            return u == unsignedValue_;
        if (number_ == Number::Signed)
            return signed_ >= 0 && u == static_cast<std::uint64_t>(signed_);
        v = static_cast<long double>(u);
    } else {
        if (number_ == Number::Signed)
            return value.i == signed_;
        if (number_ == Number::Unsigned)
            return false; // beyond the signed range
        v = static_cast<long double>(value.i);
    }
    switch (number_) {
    case Number::Signed:
        return v == static_cast<long double>(signed_);
    case Number::Unsigned:
        return v == static_cast<long double>(unsignedValue_);
    case Number::Real:
        return KindOf(type_) == ValueKind::Float
                   ? static_cast<double>(v) == static_cast<double>(real_)
                   : v == real_;
    case Number::None:
        break;
    }
    return false;
}

bool ValueMatcher::MatchesText(std::string_view text) const {
    if (partial_)
        return caseInsensitive_ ? StartsWithFolded(text, search_) : text.starts_with(search_);
    return caseInsensitive_ ? EqualsFolded(text, search_) : text == search_;
}

bool ValueMatcher::MatchesDateTime(std::string_view text) const {
    std::string_view date, time;
    ShownDateTimeParts(text, date, time);
    const std::string_view s = search_;
    if (!date.empty() && !time.empty())
        return s.size() == date.size() + 1 + time.size() && s.starts_with(date) &&
               s[date.size()] == ' ' && s.ends_with(time);
    return s == (date.empty() ? time : date);
}
