// The statement scanner shared by the connection, the statement analysis, the filter and the
// searches: it takes one token at a time from the front of a text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum TokenKind : int {
    tkEnd = 0,       // the text is empty or all blank
    tkDelimiter = 1, // one delimiter character
    tkNumber = 2,    // a number (3.5, 1e5, 0x1F); a name such as 2024_sales is a word
    tkWord = 3,      // any other run; t1.name, my$table and `odd name` are one word each
    tkQuoted = 4,    // '...' or "..." with both quotes and any backslashes kept
};

// Removes the first token from the front of text and answers its kind; the token goes to token.
// Text keeps what follows the token, including the blanks after it. The server's lexical rules
// hold: comments (# and "-- " to the end of the line, /* ... */) are skipped like blanks, the text
// of a /*! ... */ comment is read as statement text and its closing "*/" is skipped, a quoted text
// ends at its own quote (a backslash escapes the next character, a doubled quote stands for one),
// and "$" is part of a name. A name between backticks (doubled backticks inside) is read as a
// word, or as part of one when full stops join it to others (db.`t`), its backticks kept.
// Calling ExtractToken until it answers tkEnd gives the tokens TokenizeStatement gives: when the
// token stood inside a /*! ... */ comment, text starts with "/*! " before what follows the token,
// so that the next call still reads inside the comment. At the end text is empty.
int ExtractToken(std::string& text, std::string& token);

// Text becomes token, one blank and the old text; an empty token changes nothing.
void PutBackToken(std::string& text, const std::string& token);

// The token without a leading quote character and, when the last character is the same, without
// that one too.
std::string Unquote(const std::string& token);

struct SqlToken {
    int kind = tkEnd;
    std::string text;
    std::size_t at = 0;      // where the token starts in the statement
    bool executable = false; // it stands inside a /*! ... */ comment
};

// Every token of a statement, in order (no tkEnd at the close).
std::vector<SqlToken> TokenizeStatement(std::string_view text);

// True when the token is a word equal to keyword without regard to case.
bool IsKeyword(const SqlToken& token, std::string_view keyword);
bool EqualsNoCase(std::string_view a, std::string_view b);

// A word as it names a table or column: its parts split at the full stops outside backticks, each
// part with its backticks removed (`a``b` becomes a`b).
std::vector<std::string> SplitName(std::string_view word);
// The parts joined by full stops again, without backticks.
std::string PlainName(std::string_view word);

// One past the quote that closes the quoted text opening at `start` (its opening quote), or the
// end of the text when it stays open. A doubled quote stands for one; where `backslashEscapes`, a
// backslash takes the next character as it is. Text is any string whose characters compare with
// char (std::string_view, QString); `closed` (when given) tells whether the closing quote was
// found.
template <typename Text, typename Index>
Index QuotedTextEnd(const Text& s, Index start, bool backslashEscapes, bool* closed = nullptr) {
    const auto quote = s[start];
    const auto size = static_cast<Index>(s.size());
    Index i = start + 1;
    while (i < size) {
        if (backslashEscapes && s[i] == '\\') {
            i += 2;
        } else if (s[i] != quote) {
            ++i;
        } else if (i + 1 < size && s[i + 1] == quote) {
            i += 2;
        } else {
            if (closed)
                *closed = true;
            return i + 1;
        }
    }
    if (closed)
        *closed = false;
    return size;
}
