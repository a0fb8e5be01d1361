#include "data/column_types.h"

#include "data/sql_scanner.h"
#include "data/text_utils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace {

bool StartsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}

// The number between the parentheses of a declaration such as char(10), or fallback.
std::int64_t Width(std::string_view t, std::int64_t fallback) {
    const std::size_t open = t.find('(');
    const std::size_t close = t.find(')', open == std::string_view::npos ? 0 : open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return fallback;
    const std::string_view inner = t.substr(open + 1, close - open - 1);
    std::int64_t v = 0;
    auto [p, ec] = std::from_chars(inner.data(), inner.data() + inner.size(), v);
    return ec == std::errc() && p == inner.data() + inner.size() && v >= 0 ? v : fallback;
}

bool IsGeometry(std::string_view base) {
    static constexpr std::string_view kNames[] = {
        "geometry",   "point",           "linestring",   "polygon",
        "multipoint", "multilinestring", "multipolygon", "geometrycollection"};
    return std::find(std::begin(kNames), std::end(kNames), base) != std::end(kNames);
}

} // namespace

std::vector<std::string> DeclaredValues(std::string_view t) {
    std::vector<std::string> values;
    const std::size_t open = t.find('(');
    if (open == std::string_view::npos)
        return values;
    std::size_t i = open + 1;
    while (i < t.size()) {
        const char q = t[i];
        if (q != '\'' && q != '"') {
            ++i;
            continue;
        }
        std::string v;
        ++i;
        while (i < t.size()) {
            if (t[i] == q && i + 1 < t.size() && t[i + 1] == q) {
                v += q; // a doubled quote inside the value
                i += 2;
            } else if (t[i] == '\\' && i + 1 < t.size()) {
                v += t[i + 1];
                i += 2;
            } else if (t[i] == q) {
                ++i;
                break;
            } else {
                v += t[i++];
            }
        }
        values.push_back(std::move(v));
    }
    return values;
}

ColumnType ColumnTypeFromText(std::string_view typeText) {
    std::string lower(typeText);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string_view t = lower;
    const std::string_view base = t.substr(0, std::min(t.find('('), t.find(' ')));
    const bool isUnsigned = t.find(" unsigned") != std::string_view::npos;

    if (IsGeometry(base))
        return {FieldType::Blob, 0, false};
    if (base.find("int") != std::string_view::npos || StartsWith(t, "year"))
        return {FieldType::Integer, 0, isUnsigned};
    if (StartsWith(t, "double") || StartsWith(t, "float") || StartsWith(t, "real"))
        return {FieldType::Float, 0, false};
    if (StartsWith(t, "decimal") || StartsWith(t, "numeric"))
        return {FieldType::Decimal, 0, false};
    if (StartsWith(t, "char"))
        return {FieldType::String, Width(t, 50), false};
    if (StartsWith(t, "varchar"))
        return {FieldType::String, Width(t, 50), false};
    if (t == "date")
        return {FieldType::Date, 0, false};
    if (base == "datetime")
        return {FieldType::DateTime, 0, false};
    if (StartsWith(t, "timestamp")) {
        // Wide enough for the whole text, fractional seconds included.
        const std::int64_t n = Width(t, -1);
        if (n < 0)
            return {FieldType::String, 50, false};
        return {FieldType::String, n <= 6 ? 19 + (n ? n + 1 : 0) : n, false};
    }
    if (base == "time")
        return {FieldType::Time, 0, false};
    if (base.find("blob") != std::string_view::npos)
        return {FieldType::Blob, 0, false};
    if (base.find("text") != std::string_view::npos || base == "json")
        return {FieldType::Memo, 0, false};
    if (t == "enum('y','n')" || t == "enum('n','y')")
        return {FieldType::Boolean, 0, false};
    if (base == "enum") {
        std::int64_t longest = 0;
        for (const std::string& v : DeclaredValues(typeText))
            longest = std::max(longest, Utf8Length(v));
        return {FieldType::String, longest, false};
    }
    if (base == "set") {
        // All members and the commas between them.
        const auto values = DeclaredValues(typeText);
        std::int64_t width = values.empty() ? 0 : static_cast<std::int64_t>(values.size()) - 1;
        for (const std::string& v : values)
            width += Utf8Length(v);
        return {FieldType::String, width, false};
    }
    if (base == "bit")
        return {FieldType::Blob, (Width(t, 1) + 7) / 8, false};
    if (base == "binary" || base == "varbinary")
        return {FieldType::Blob, Width(t, 0), false};
    if (base == "uuid")
        return {FieldType::String, 36, false};
    if (base == "inet4")
        return {FieldType::String, 15, false};
    if (base == "inet6")
        return {FieldType::String, 39, false};
    return {FieldType::String, Width(t, 50), false};
}
