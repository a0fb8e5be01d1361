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
    // The condition goes right after a token, before any comment that follows it, and each
    // piece of the statement keeps its place. A comment the server may skip (/*!version ... */)
    // cannot take it.
    const auto endOf = [&](std::size_t k) { return tokens[k].at + tokens[k].text.size(); };
    // The text between a token's end and the next token (or the end): blanks alone become one
    // blank, and nothing at the end of the statement.
    const auto gap = [&](std::size_t k) {
        const std::size_t from = endOf(k);
        const std::size_t to = k + 1 < tokens.size() ? tokens[k + 1].at : statement.size();
        const std::string_view between = statement.substr(from, to - from);
        if (between.find_first_not_of(" \t\r\n\f\v") != std::string_view::npos)
            return std::string(between);
        return std::string(k + 1 < tokens.size() ? " " : "");
    };
    const auto rest = [&](std::size_t k) {
        return gap(k) +
               std::string(k + 1 < tokens.size() ? statement.substr(tokens[k + 1].at) : "");
    };
    const std::size_t last = end - 1; // the last token before the clauses after WHERE
    const bool hasCondition = where + 1 < end;
    if (tokens[last].executable ||
        (hasCondition && (tokens[where].executable || tokens[where + 1].executable))) {
        whyNot = "The detail statement's condition would stand in an executable comment; its "
                 "rows are filtered locally";
        return false;
    }
    if (hasCondition) {
        const std::size_t from = tokens[where + 1].at;
        result = std::string(statement.substr(0, endOf(where))) + gap(where) + "(" +
                 std::string(statement.substr(from, endOf(last) - from)) + ") AND " +
                 std::string(condition) + rest(last);
    } else {
        // A WHERE with nothing after it takes the condition alone.
        result = std::string(statement.substr(0, endOf(last))) + (where == last ? " " : " WHERE ") +
                 std::string(condition) + rest(last);
    }
    return true;
}
