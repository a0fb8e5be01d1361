#include "data/link_statement.h"

#include "data/db_error.h"
#include "data/sql_scanner.h"

namespace {

constexpr const char* kIncorrectLinks = "Incorrect links define";

bool IsNameChar(char c) {
    return !(c == '=' || c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\'' ||
             c == '"' || c == '[' || c == ']');
}

class LinkReader {
public:
    explicit LinkReader(std::string_view s) : s_(s) {}

    void SkipBlanks() {
        while (p_ < s_.size() &&
               (s_[p_] == ' ' || s_[p_] == '\t' || s_[p_] == '\r' || s_[p_] == '\n'))
            ++p_;
    }
    bool AtEnd() {
        SkipBlanks();
        return p_ >= s_.size();
    }
    bool Take(char c) {
        SkipBlanks();
        if (p_ < s_.size() && s_[p_] == c) {
            ++p_;
            return true;
        }
        return false;
    }
    std::string Name() {
        SkipBlanks();
        if (p_ >= s_.size())
            throw EDatabaseError(kIncorrectLinks);
        const char c = s_[p_];
        if (c == '\'' || c == '"' || c == '[') {
            const char close = c == '[' ? ']' : c;
            const std::size_t end = s_.find(close, p_ + 1);
            if (end == std::string_view::npos || end == p_ + 1)
                throw EDatabaseError(kIncorrectLinks);
            std::string name(s_.substr(p_ + 1, end - p_ - 1));
            p_ = end + 1;
            return name;
        }
        const std::size_t start = p_;
        while (p_ < s_.size() && IsNameChar(s_[p_]))
            ++p_;
        if (p_ == start)
            throw EDatabaseError(kIncorrectLinks);
        return std::string(s_.substr(start, p_ - start));
    }

private:
    std::string_view s_;
    std::size_t p_ = 0;
};

// Top-level words that end a WHERE condition (or mark where one goes).
bool EndsCondition(const SqlToken& t) {
    static const char* const kWords[] = {"GROUP", "HAVING", "ORDER", "LIMIT", "PROCEDURE",
                                         "INTO",  "FOR",    "LOCK",  "WINDOW"};
    for (const char* w : kWords)
        if (IsKeyword(t, w))
            return true;
    return t.kind == tkDelimiter && t.text == ";";
}

} // namespace

std::vector<LinkPair> ParseLinkFields(std::string_view text) {
    std::vector<LinkPair> pairs;
    LinkReader r(text);
    if (r.AtEnd())
        return pairs;
    for (;;) {
        LinkPair pair;
        pair.detail = r.Name();
        if (!r.Take('='))
            throw EDatabaseError(kIncorrectLinks);
        pair.master = r.Name();
        pairs.push_back(std::move(pair));
        if (pairs.size() > kMaxLinkPairs)
            throw EDatabaseError(kIncorrectLinks);
        if (r.AtEnd())
            return pairs;
        if (!r.Take(','))
            throw EDatabaseError(kIncorrectLinks);
    }
}

bool AddTopLevelCondition(std::string_view statement, std::string_view condition,
                          std::string& result, std::string& whyNot) {
    const std::vector<SqlToken> tokens = TokenizeStatement(statement);
    if (tokens.empty() || !IsKeyword(tokens.front(), "SELECT")) {
        whyNot = "The detail statement is not a SELECT; its rows are filtered locally";
        return false;
    }
    // Token positions: tokens follow each other with only blanks between them.
    std::vector<std::size_t> at(tokens.size() + 1, statement.size());
    std::size_t pos = 0;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        at[k] = statement.find(tokens[k].text, pos);
        pos = at[k] + tokens[k].text.size();
    }
    int depth = 0;
    std::size_t where = tokens.size(), end = tokens.size();
    bool afterFrom = false;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const SqlToken& t = tokens[k];
        if (t.kind == tkDelimiter && t.text == "(")
            ++depth;
        else if (t.kind == tkDelimiter && t.text == ")")
            --depth;
        if (depth != 0)
            continue;
        if (IsKeyword(t, "UNION") || IsKeyword(t, "INTERSECT") || IsKeyword(t, "EXCEPT")) {
            whyNot = "The detail statement combines several SELECTs (" + t.text +
                     "); its rows are filtered locally";
            return false;
        }
        if (IsKeyword(t, "FROM"))
            afterFrom = true;
        else if (IsKeyword(t, "WHERE") && where == tokens.size())
            where = k;
        else if ((afterFrom || where < tokens.size()) && EndsCondition(t) && end == tokens.size())
            end = k;
        // INTO before FROM (SELECT ... INTO @v FROM ...) does not end anything.
    }
    const std::size_t endAt = end < tokens.size() ? at[end] : statement.size();
    std::string_view head = statement.substr(0, endAt);
    while (!head.empty() && (head.back() == ' ' || head.back() == '\t' || head.back() == '\r' ||
                             head.back() == '\n'))
        head.remove_suffix(1);
    const std::string tail = end < tokens.size() ? " " + std::string(statement.substr(endAt)) : "";
    if (where < tokens.size() && where < end) {
        const std::size_t bodyAt = at[where] + tokens[where].text.size();
        std::string_view body = head.substr(std::min(bodyAt, head.size()));
        while (!body.empty() && (body.front() == ' ' || body.front() == '\t' ||
                                 body.front() == '\r' || body.front() == '\n'))
            body.remove_prefix(1);
        result = std::string(statement.substr(0, bodyAt)) + " (" + std::string(body) + ") AND " +
                 std::string(condition) + tail;
    } else {
        result = std::string(head) + " WHERE " + std::string(condition) + tail;
    }
    return true;
}
