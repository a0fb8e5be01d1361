// Fuzz target over the statement scanner and the statement analysis. Besides not crashing, the
// scanner must agree with itself and with the quoting: token by token it reads what it reads of
// the whole statement, a name quoted for a statement reads back as one word with the same parts,
// a plain name stands as it is, and a quoted value reads back as one quoted text.
#include "data/dir_connect.h"
#include "data/sql_names.h"
#include "data/sql_scanner.h"
#include "data/sql_values.h"
#include "data/statement_analysis.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

// A name put into SQL text reads back as one word with the same parts.
void CheckNameRoundTrip(const std::vector<std::string>& parts) {
    const std::string text = NameText(parts);
    const std::vector<SqlToken> tokens = TokenizeStatement(text);
    Check(tokens.size() == 1 && tokens[0].kind == tkWord && tokens[0].text == text);
    Check(SplitName(text) == parts);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    const std::vector<SqlToken> tokens = TokenizeStatement(input);

    // Token by token the text gives the same tokens as the whole statement: every token takes at
    // least one character, and the text ends empty.
    std::string rest = input, token;
    std::size_t count = 0;
    for (int kind; (kind = ExtractToken(rest, token)) != tkEnd; ++count) {
        Check(!token.empty() && count < tokens.size());
        Check(kind == tokens[count].kind && token == tokens[count].text);
    }
    Check(count == tokens.size() && rest.empty());
    for (const SqlToken& t : tokens)
        Check(t.at < input.size() && input.compare(t.at, t.text.size(), t.text) == 0);
    for (const SqlToken& t : tokens) {
        Check(!t.text.empty());
        if (t.kind == tkWord && t.text.find('`') == std::string::npos &&
            t.text.find('.') == std::string::npos && IsPlainIdentifier(t.text)) {
            const std::vector<SqlToken> again = TokenizeStatement(t.text);
            Check(again.size() == 1 && again[0].text == t.text);
        }
        if (t.kind == tkWord)
            CheckNameRoundTrip(SplitName(t.text));
    }
    // Any bytes make a name, and a value, that read back whole.
    if (!input.empty())
        CheckNameRoundTrip({input});
    const std::string quoted = QuoteSqlValue(input, true);
    const std::vector<SqlToken> value = TokenizeStatement(quoted);
    Check(value.size() == 1 && value[0].kind == tkQuoted && value[0].text == quoted);

    // The analysis on a connection that is not open: it scans and describes nothing.
    const FromClause from = ScanFromClause(tokens);
    Check(from.tables.size() == from.aliases.size() &&
          from.tables.size() == from.aliasGiven.size());
    TDirMySQLConnect offline;
    StatementAnalysis analysis;
    analysis.Analyse(input, offline);
    Check(analysis.Fields().empty());
    analysis.Find(input);
    return 0;
}
