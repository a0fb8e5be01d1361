#include "data/sql_scanner.h"

#include <cctype>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDelimiter(char c) {
    return IsBlank(c) || (c != '\0' && std::strchr(":;,+-<>/*%^=()[]|&~@#$\\`{}", c) != nullptr);
}

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

// Position after a backtick-quoted segment that starts at pos (the opening backtick).
std::size_t SkipBackticks(std::string_view s, std::size_t pos) {
    ++pos;
    while (pos < s.size()) {
        if (s[pos] == '`') {
            if (pos + 1 < s.size() && s[pos + 1] == '`') {
                pos += 2;
                continue;
            }
            return pos + 1;
        }
        ++pos;
    }
    return pos;
}

// Scans one token starting at pos; answers its kind and sets [begin, end).
int ScanToken(std::string_view s, std::size_t pos, std::size_t& begin, std::size_t& end) {
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    begin = pos;
    if (pos >= s.size()) {
        end = pos;
        return tkEnd;
    }
    const char c = s[pos];
    if (IsQuote(c)) {
        std::size_t i = pos + 1;
        while (i < s.size() && !(s[i] == c && s[i - 1] != '\\'))
            ++i;
        end = i < s.size() ? i + 1 : i;
        return tkQuoted;
    }
    if (c != '`' && IsDelimiter(c)) {
        end = pos + 1;
        return tkDelimiter;
    }
    std::size_t i = pos;
    while (i < s.size()) {
        if (s[i] == '`')
            i = SkipBackticks(s, i);
        else if (IsDelimiter(s[i]) || IsQuote(s[i]))
            break;
        else
            ++i;
    }
    end = i;
    return std::isdigit(static_cast<unsigned char>(c)) ? tkNumber : tkWord;
}

} // namespace

int ExtractToken(std::string& text, std::string& token) {
    std::size_t begin = 0, end = 0;
    const int kind = ScanToken(text, 0, begin, end);
    token.assign(text, begin, end - begin);
    text.erase(0, end);
    return kind;
}

void PutBackToken(std::string& text, const std::string& token) {
    if (!token.empty())
        text = token + " " + text;
}

std::string Unquote(const std::string& token) {
    if (token.empty() || !IsQuote(token.front()))
        return token;
    const char q = token.front();
    std::string s = token.substr(1);
    if (!s.empty() && s.back() == q)
        s.pop_back();
    return s;
}

std::vector<SqlToken> TokenizeStatement(std::string_view text) {
    std::vector<SqlToken> out;
    std::size_t pos = 0, begin = 0, end = 0;
    for (;;) {
        const int kind = ScanToken(text, pos, begin, end);
        if (kind == tkEnd)
            break;
        out.push_back({kind, std::string(text.substr(begin, end - begin))});
        pos = end;
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool IsKeyword(const SqlToken& token, std::string_view keyword) {
    return token.kind == tkWord && EqualsNoCase(token.text, keyword);
}

std::vector<std::string> SplitName(std::string_view word) {
    std::vector<std::string> parts(1);
    std::size_t i = 0;
    while (i < word.size()) {
        const char c = word[i];
        if (c == '`') {
            ++i;
            while (i < word.size()) {
                if (word[i] == '`') {
                    if (i + 1 < word.size() && word[i + 1] == '`') {
                        parts.back() += '`';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                parts.back() += word[i++];
            }
        } else if (c == '.') {
            parts.emplace_back();
            ++i;
        } else {
            parts.back() += c;
            ++i;
        }
    }
    return parts;
}

std::string PlainName(std::string_view word) {
    const std::vector<std::string> parts = SplitName(word);
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += '.';
        out += parts[i];
    }
    return out;
}
