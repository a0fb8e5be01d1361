#include "data/sql_scanner.h"

#include "data/text_utils.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Put in front of the rest of a text whose next token still stands inside a /*! ... */ comment:
// an opening without a version (the blank ends it), so that the next call reads on in the comment.
constexpr const char* kExecutableGoesOn = "/*! ";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The characters that stand as tokens of their own. "$" is not one: it belongs to names, as "_"
// does; the backtick opens a quoted name.
bool IsDelimiter(char c) {
    return IsBlank(c) || (c != '\0' && std::strchr(":;,+-<>/*%^=()[]|&~@#\\{}", c) != nullptr);
}

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "-- " starts a comment only when a blank or control character (or the end) follows the dashes.
bool StartsDashComment(std::string_view s, std::size_t pos) {
    if (s.substr(pos, 2) != "--")
        return false;
    return pos + 2 >= s.size() || static_cast<unsigned char>(s[pos + 2]) <= ' ';
}

// Skips blanks and comments from pos. Inside a comment of the form /*!...*/ (or /*M!...*/) the
// server reads the text as part of the statement: only the opening, with its version number,
// and the closing "*/" are skipped, and inExecutable tells which one comes next.
std::size_t SkipBlanksAndComments(std::string_view s, std::size_t pos, bool& inExecutable) {
    while (pos < s.size()) {
        const char c = s[pos];
        if (IsBlank(c)) {
            ++pos;
        } else if (c == '#' || StartsDashComment(s, pos)) {
            const std::size_t eol = s.find('\n', pos);
            pos = eol == std::string_view::npos ? s.size() : eol + 1;
        } else if (s.substr(pos, 3) == "/*!" || s.substr(pos, 4) == "/*M!") {
            pos += s[pos + 2] == 'M' ? 4 : 3;
            for (int digits = 0; digits < 6 && pos < s.size() && IsDigit(s[pos]); ++digits)
                ++pos;
            inExecutable = true;
        } else if (s.substr(pos, 2) == "/*") {
            const std::size_t close = s.find("*/", pos + 2);
            pos = close == std::string_view::npos ? s.size() : close + 2;
        } else if (inExecutable && s.substr(pos, 2) == "*/") {
            pos += 2;
            inExecutable = false;
        } else {
            break;
        }
    }
    return pos;
}

// A token that starts with a digit is a number when it reads as one (12, 3.5, 1e5, 0x1F, 0b101);
// otherwise it is a name such as 2024_sales.
bool IsNumberText(std::string_view t) {
    auto all = [](std::string_view v, auto pred) {
        return !v.empty() && std::all_of(v.begin(), v.end(), pred);
    };
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        return all(t.substr(2),
                   [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'b' || t[1] == 'B'))
        return all(t.substr(2), [](char c) { return c == '0' || c == '1'; });
    std::size_t i = 0;
    while (i < t.size() && (IsDigit(t[i]) || t[i] == '.'))
        ++i;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E'))
        return i + 1 == t.size() || all(t.substr(i + 1), IsDigit);
    return i == t.size();
}

// Scans one token starting at pos; answers its kind and sets [begin, end).
int ScanToken(std::string_view s, std::size_t pos, std::size_t& begin, std::size_t& end,
              bool& inExecutable) {
    pos = SkipBlanksAndComments(s, pos, inExecutable);
    begin = pos;
    if (pos >= s.size()) {
        end = pos;
        return tkEnd;
    }
    const char c = s[pos];
    if (IsQuote(c)) {
        end = QuotedTextEnd(s, pos, true);
        return tkQuoted;
    }
    if (IsDelimiter(c)) {
        end = pos + 1;
        return tkDelimiter;
    }
    // A word: plain characters and backtick-quoted names, joined by full stops (db.`t`.c). A
    // quoted name ends the word unless a full stop follows it.
    std::size_t i = pos;
    while (i < s.size()) {
        if (s[i] == '`') {
            if (i > pos && s[i - 1] != '.')
                break;
            i = QuotedTextEnd(s, i, false);
            if (i >= s.size() || s[i] != '.')
                break;
            ++i;
        } else if (IsDelimiter(s[i]) || IsQuote(s[i])) {
            break;
        } else {
            ++i;
        }
    }
    end = i;
    return IsDigit(c) && IsNumberText(s.substr(pos, i - pos)) ? tkNumber : tkWord;
}

} // namespace

int ExtractToken(std::string& text, std::string& token) {
    std::size_t begin = 0, end = 0;
    bool inExecutable = false;
    const int kind = ScanToken(text, 0, begin, end, inExecutable);
    token.assign(text, begin, end - begin);
    if (kind == tkEnd)
        text.clear();
    else
        text.replace(0, end, inExecutable ? kExecutableGoesOn : "");
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
    bool inExecutable = false;
    for (;;) {
        const int kind = ScanToken(text, pos, begin, end, inExecutable);
        if (kind == tkEnd)
            break;
        out.push_back({kind, std::string(text.substr(begin, end - begin)), begin, inExecutable});
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
    return Joined(SplitName(word), '.');
}
