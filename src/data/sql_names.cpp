#include "data/sql_names.h"

#include "data/sql_reserved_words.h"

bool IsPlainIdentifier(std::string_view name) {
    // A leading digit could read as a number ("1e5", "0x1f").
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!digit && !letter && c != '_' && c != '$')
            return false;
    }
    return !IsReservedWord(name);
}

std::string EncloseDoublingQuotes(std::string_view text, char quote) {
    std::string out;
    out.reserve(text.size() + 2);
    out += quote;
    for (char c : text) {
        if (c == quote)
            out += quote;
        out += c;
    }
    out += quote;
    return out;
}

std::string QuoteName(std::string_view name) {
    return EncloseDoublingQuotes(name, '`');
}

std::string QuoteNameIfNeeded(std::string_view name) {
    return IsPlainIdentifier(name) ? std::string(name) : QuoteName(name);
}

std::string QuoteValue(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    out += '\'';
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\'':
            out += "\\'";
            break;
        case '\0':
            out += "\\0";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\x1a':
            out += "\\Z";
            break;
        default:
            out += c;
        }
    }
    out += '\'';
    return out;
}
