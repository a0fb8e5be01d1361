#include "data/field_value.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

namespace {

template <typename T> bool ParseWhole(std::string_view s, T& out) {
    s = TrimBlanks(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

bool AllZeroDigits(std::string_view s) {
    for (char c : s)
        if (c >= '1' && c <= '9')
            return false;
    return true;
}

// Splits a decimal text into sign, integer digits without leading zeros and fraction digits
// without trailing zeros; false when it is not a plain decimal.
bool SplitDecimal(std::string_view s, bool& negative, std::string_view& whole,
                  std::string_view& fraction) {
    s = TrimBlanks(s);
    negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    const std::size_t dot = s.find('.');
    whole = s.substr(0, dot);
    fraction = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    if (whole.empty() && fraction.empty())
        return false;
    for (char c : whole)
        if (c < '0' || c > '9')
            return false;
    for (char c : fraction)
        if (c < '0' || c > '9')
            return false;
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    if (whole.empty() && fraction.empty())
        negative = false; // -0.00 is zero
    return true;
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

std::int64_t ParseInteger(std::string_view text) {
    std::int64_t v = 0;
    return ParseWhole(text, v) ? v : 0;
}

std::uint64_t ParseUnsigned(std::string_view text) {
    std::uint64_t v = 0;
    return ParseWhole(text, v) ? v : 0;
}

double ParseFloat(std::string_view text) {
    double v = 0;
    return ParseWhole(text, v) ? v : 0;
}

bool IsValueText(FieldType type, bool isUnsigned, std::string_view text) {
    switch (KindOf(type)) {
    case ValueKind::Integer: {
        if (isUnsigned) {
            std::uint64_t u = 0;
            return ParseWhole(text, u);
        }
        std::int64_t i = 0;
        return ParseWhole(text, i);
    }
    case ValueKind::Float: {
        // from_chars also reads "inf", "nan" and overflows to an error: only finite numbers pass.
        const std::string_view t = TrimBlanks(text);
        for (char c : t)
            if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' ||
                  c == 'E'))
                return false;
        double d = 0;
        return ParseWhole(text, d) && std::isfinite(d);
    }
    case ValueKind::Decimal: {
        bool negative = false;
        std::string_view whole, fraction;
        return SplitDecimal(text, negative, whole, fraction);
    }
    default:
        return true;
    }
}

FieldValue ValueFromText(FieldType type, bool isUnsigned, std::string_view text) {
    FieldValue v;
    v.null = false;
    switch (KindOf(type)) {
    case ValueKind::Integer: {
        // A number keeps its text (leading zeros of ZEROFILL, YEAR 0000); another text is 0.
        bool read = false;
        if (isUnsigned) {
            std::uint64_t u = 0;
            read = ParseWhole(text, u);
            v.i = static_cast<std::int64_t>(u);
        } else {
            read = ParseWhole(text, v.i);
        }
        if (read)
            v.text = TrimBlanks(text);
        else
            v.i = 0;
        break;
    }
    case ValueKind::Boolean:
        v.i = !text.empty() && (text.front() == 'Y' || text.front() == 'y');
        break;
    case ValueKind::Float:
        if (ParseWhole(text, v.d))
            v.text = TrimBlanks(text);
        else
            v.d = 0;
        break;
    default:
        v.text = text;
        break;
    }
    return v;
}

void ShownDateTimeParts(std::string_view text, std::string_view& date, std::string_view& time) {
    date = time = {};
    const std::size_t space = text.find(' ');
    if (space != std::string_view::npos) {
        date = text.substr(0, space);
        time = text.substr(space + 1);
    } else if (text.size() >= 10 && text[4] == '-') {
        date = text;
    } else {
        time = text;
    }
    if (AllZeroDigits(date))
        date = {};
    if (AllZeroDigits(time))
        time = {};
}

std::string_view DateTimeShownPart(std::string_view text) {
    // As ShownDateTimeParts: the text split at its first blank, or one part; a part of zeros is
    // left out. Whatever is shown is one piece of the text.
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos)
        return AllZeroDigits(text) ? std::string_view() : text;
    const bool dateShown = !AllZeroDigits(text.substr(0, space));
    const bool timeShown = !AllZeroDigits(text.substr(space + 1));
    if (dateShown)
        return timeShown ? text : text.substr(0, space);
    return timeShown ? text.substr(space + 1) : std::string_view();
}

std::string DateTimeDisplayText(std::string_view text) {
    return std::string(DateTimeShownPart(text));
}

namespace {

// The high bit of every byte of the word that is not a digit: a byte below '0' borrows into its
// high bit, one above '9' carries into it. A borrow or carry may also mark bytes after the first
// such byte, never one before it, so the lowest bit marks the first byte that is not a digit.
template <typename Word> Word NonDigitBits(const char* p) {
    constexpr Word kOnes = ~Word(0) / 0xFF;
    Word v;
    std::memcpy(&v, p, sizeof v);
    return ((v + kOnes * 0x46) | (v - kOnes * 0x30)) & (kOnes * 0x80);
}

// How many digits the n bytes at p start with, a word at a time.
std::size_t LeadingDigits(const char* p, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        if (n >= 8) {
            std::size_t i = 0;
            for (; i + 8 <= n; i += 8)
                if (const auto bits = NonDigitBits<std::uint64_t>(p + i))
                    return i + static_cast<std::size_t>(std::countr_zero(bits)) / 8;
            if (i == n)
                return n;
            // The last word overlaps bytes already known to be digits.
            if (const auto bits = NonDigitBits<std::uint64_t>(p + n - 8))
                return n - 8 + static_cast<std::size_t>(std::countr_zero(bits)) / 8;
            return n;
        }
        if (n >= 4) {
            if (const auto bits = NonDigitBits<std::uint32_t>(p))
                return static_cast<std::size_t>(std::countr_zero(bits)) / 8;
            if (const auto bits = NonDigitBits<std::uint32_t>(p + n - 4))
                return n - 4 + static_cast<std::size_t>(std::countr_zero(bits)) / 8;
            return n;
        }
    }
    std::size_t i = 0;
    while (i < n && static_cast<unsigned char>(p[i] - '0') <= 9)
        ++i;
    return i;
}

// Optional minus (for a signed field) and 1 to 18 digits: always a whole number of its type.
bool IsPlainInteger(std::string_view t, bool isUnsigned) {
    if (!isUnsigned && t.size() > 1 && t.front() == '-')
        t.remove_prefix(1);
    return !t.empty() && t.size() <= 18 && LeadingDigits(t.data(), t.size()) == t.size();
}

// Optional minus, digits and an optional full stop followed by digits, short enough that it can
// neither overflow nor underflow: always a finite number.
bool IsPlainFloat(std::string_view t) {
    if (t.size() > 1 && t.front() == '-')
        t.remove_prefix(1);
    if (t.empty() || t.size() > 30)
        return false;
    const std::size_t whole = LeadingDigits(t.data(), t.size());
    if (whole == t.size())
        return true;
    const std::size_t fraction = t.size() - whole - 1;
    return whole > 0 && t[whole] == '.' && fraction > 0 &&
           LeadingDigits(t.data() + whole + 1, fraction) == fraction;
}

} // namespace

bool StoredDisplayText(ValueKind kind, bool isUnsigned, std::string_view text,
                       std::string_view& shown) {
    switch (kind) {
    case ValueKind::Integer:
        // A number that reads whole from its text is shown as that text.
        if (!IsPlainInteger(text, isUnsigned))
            return false;
        break;
    case ValueKind::Float:
        if (!IsPlainFloat(text))
            return false;
        break;
    case ValueKind::Boolean:
        shown = !text.empty() && (text.front() == 'Y' || text.front() == 'y') ? "Y" : "N";
        return true;
    case ValueKind::DateTime:
        shown = DateTimeShownPart(text);
        return true;
    default:
        break;
    }
    shown = text;
    return true;
}

std::string ExactText(FieldType type, bool isUnsigned, const ValueView& value) {
    if (value.null)
        return {};
    char buf[32];
    switch (KindOf(type)) {
    case ValueKind::Integer: {
        // The text the value came with when it still reads as this value (00000042 stays so).
        if (value.textExact)
            return std::string(value.text);
        if (!value.text.empty()) {
            if (isUnsigned) {
                std::uint64_t u = 0;
                if (ParseWhole(value.text, u) && u == static_cast<std::uint64_t>(value.i))
                    return std::string(value.text);
            } else if (std::int64_t t = 0; ParseWhole(value.text, t) && t == value.i) {
                return std::string(value.text);
            }
        }
        auto r = isUnsigned
                     ? std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(value.i))
                     : std::to_chars(buf, buf + sizeof buf, value.i);
        return std::string(buf, r.ptr);
    }
    case ValueKind::Boolean:
        return value.i ? "Y" : "N";
    case ValueKind::Float: {
        // Likewise: 0.0001 and 1.5000 stay as the server wrote them.
        if (value.textExact)
            return std::string(value.text);
        if (double t = 0; !value.text.empty() && ParseWhole(value.text, t) && t == value.d)
            return std::string(value.text);
        auto r = std::to_chars(buf, buf + sizeof buf, value.d);
        return std::string(buf, r.ptr);
    }
    default:
        return std::string(value.text);
    }
}

std::string DisplayText(FieldType type, bool isUnsigned, const ValueView& value) {
    if (value.null)
        return {};
    switch (KindOf(type)) {
    case ValueKind::DateTime:
        return DateTimeDisplayText(value.text);
    case ValueKind::Text:
    case ValueKind::Decimal:
        return std::string(value.text);
    default:
        return ExactText(type, isUnsigned, value);
    }
}

int CompareDecimalTexts(std::string_view a, std::string_view b) {
    bool na, nb;
    std::string_view wa, fa, wb, fb;
    if (!SplitDecimal(a, na, wa, fa) || !SplitDecimal(b, nb, wb, fb))
        return Sign(a.compare(b));
    if (na != nb)
        return na ? -1 : 1;
    int mag = 0;
    if (wa.size() != wb.size())
        mag = wa.size() < wb.size() ? -1 : 1;
    else if (int c = wa.compare(wb); c != 0)
        mag = Sign(c);
    else
        mag = Sign(fa.compare(fb));
    return na ? -mag : mag;
}

int CompareValueWithText(FieldType type, bool isUnsigned, const ValueView& value,
                         std::string_view text) {
    if (value.null)
        return text.empty() ? 0 : -1;
    switch (KindOf(type)) {
    case ValueKind::Integer:
        if (isUnsigned) {
            std::uint64_t t = 0;
            const auto v = static_cast<std::uint64_t>(value.i);
            if (ParseWhole(text, t))
                return (v > t) - (v < t);
        } else {
            std::int64_t t = 0;
            if (ParseWhole(text, t))
                return (value.i > t) - (value.i < t);
        }
        break;
    case ValueKind::Float: {
        double t = 0;
        if (ParseWhole(text, t))
            return (value.d > t) - (value.d < t);
        break;
    }
    case ValueKind::Decimal:
        return CompareDecimalTexts(value.text, text);
    case ValueKind::Boolean: {
        const bool t = !text.empty() && (text.front() == 'Y' || text.front() == 'y');
        return static_cast<int>(value.i != 0) - static_cast<int>(t);
    }
    default:
        break;
    }
    return Sign(ExactText(type, isUnsigned, value).compare(text));
}
