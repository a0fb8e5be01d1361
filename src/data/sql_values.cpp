#include "data/sql_values.h"

#include "data/sql_names.h"

#include <vector>

std::string QuoteSqlValue(std::string_view value, bool backslashEscapes) {
    if (backslashEscapes)
        return QuoteValue(value);
    return EncloseDoublingQuotes(value, '\'');
}

std::string QuoteSqlValue(MYSQL* connection, std::string_view value) {
    if (!connection || !ClientLibraryLoaded() || !Client().mysql_real_escape_string)
        return QuoteSqlValue(value, true);
    std::vector<char> buffer(value.size() * 2 + 1);
    const unsigned long n = Client().mysql_real_escape_string(
        connection, buffer.data(), value.data(), static_cast<unsigned long>(value.size()));
    if (n == static_cast<unsigned long>(-1))
        return QuoteSqlValue(value, true);
    std::string out;
    out.reserve(n + 2);
    out += '\'';
    out.append(buffer.data(), n);
    out += '\'';
    return out;
}
