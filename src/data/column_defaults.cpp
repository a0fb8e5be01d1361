#include "data/column_defaults.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsNumberLiteral(const std::string& s) {
    if (s.empty())
        return false;
    bool digit = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!(c == '.' ||
                   ((c == '-' || c == '+') && (i == 0 || s[i - 1] == 'e' || s[i - 1] == 'E')) ||
                   c == 'e' || c == 'E'))
            return false;
    }
    return digit;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsQuoted(const std::string& s) {
    return s.size() >= 2 && s.front() == '\'' && s.back() == '\'';
}

} // namespace

bool DefaultIsExpression(const TMySQLField& d) {
    const std::string& v = d.DefaultValue;
    if (v.empty() || v == "NULL" || IsQuoted(v) || IsNumberLiteral(v))
        return false;
    if (Lower(d.Extra).find("default_generated") != std::string::npos)
        return true;
    const std::string low = Lower(v);
    // Functions, operators and the time keywords that stand without parentheses.
    return v.find_first_of("()+*/`") != std::string::npos || low.rfind("current_", 0) == 0 ||
           low.rfind("localtime", 0) == 0 || low == "now";
}

std::string DefaultValueText(const TMySQLField& d) {
    const std::string& v = d.DefaultValue;
    if (v == "NULL" || DefaultIsExpression(d))
        return {};
    if (!IsQuoted(v))
        return v;
    // '' stands for one quote and a backslash escapes the next character.
    std::string out;
    for (std::size_t i = 1; i + 1 < v.size(); ++i) {
        const char c = v[i];
        if (c == '\'' && i + 2 < v.size() && v[i + 1] == '\'') {
            out += '\'';
            ++i;
        } else if (c == '\\' && i + 2 < v.size()) {
            const char e = v[++i];
            out += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e == '0' ? '\0' : e;
        } else {
            out += c;
        }
    }
    return out;
}
