#include "data/statement_analysis.h"

#include "data/column_types.h"
#include "data/dir_query.h"
#include "data/sql_names.h"
#include "data/sql_reserved_words.h"
#include "data/sql_values.h"

#include <algorithm>
#include <initializer_list>
#include <unordered_map>

namespace {

bool IsAnyKeyword(const SqlToken& t, std::initializer_list<std::string_view> words) {
    for (std::string_view w : words)
        if (IsKeyword(t, w))
            return true;
    return false;
}

bool IsDelim(const SqlToken& t, char c) {
    return t.kind == tkDelimiter && t.text.size() == 1 && t.text[0] == c;
}

// Words that end the FROM clause.
bool EndsFromClause(const SqlToken& t) {
    return IsDelim(t, ';') ||
           IsAnyKeyword(t, {"GROUP", "WHERE", "ORDER", "HAVING", "LIMIT", "UNION", "PROCEDURE",
                            "INTO", "FOR", "LOCK", "WINDOW", "EXCEPT", "INTERSECT"});
}

bool StartsJoin(const SqlToken& t) {
    return IsAnyKeyword(t, {"JOIN", "STRAIGHT_JOIN"});
}

// A word that the server reads as a keyword, not a name: a reserved word without backticks.
// Join words, index hints, ON and USING are all reserved, so they never pass for a table or an
// alias, while a name such as "full" does.
bool IsKeywordWord(const SqlToken& t) {
    return t.kind == tkWord && IsReservedWord(t.text);
}

// A word that names something: a table, a column or an alias.
bool IsNameWord(const SqlToken& t) {
    return t.kind == tkWord && !IsKeywordWord(t);
}

// Index just past the parenthesis group that opens at i.
std::size_t SkipGroup(const std::vector<SqlToken>& t, std::size_t i) {
    int depth = 0;
    for (; i < t.size(); ++i) {
        if (IsDelim(t[i], '('))
            ++depth;
        else if (IsDelim(t[i], ')') && --depth <= 0)
            return i + 1;
    }
    return i;
}

// The first FROM outside parentheses, or t.size().
std::size_t FindFrom(const std::vector<SqlToken>& t) {
    for (std::size_t i = 0; i < t.size();) {
        if (IsDelim(t[i], '('))
            i = SkipGroup(t, i);
        else if (IsKeyword(t[i], "FROM"))
            return i;
        else
            ++i;
    }
    return t.size();
}

// An alias as written after AS: a word (backticks removed) or a quoted text, read with its
// escapes as the server reads it.
std::string AliasText(const SqlToken& t) {
    if (t.kind != tkQuoted)
        return PlainName(t.text);
    const char q = t.text.front();
    std::string_view body = std::string_view(t.text).substr(1);
    if (!body.empty() && body.back() == q)
        body.remove_suffix(1);
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if ((body[i] == '\\' || body[i] == q) && i + 1 < body.size())
            ++i; // an escaped character, or the second of a doubled quote
        out += body[i];
    }
    return out;
}

std::string LastPart(const std::string& nameText) {
    return SplitName(nameText).back();
}

// Functions that fold many rows into one.
bool IsAggregateName(const SqlToken& t) {
    return IsAnyKeyword(t, {"COUNT", "SUM", "AVG", "MIN", "MAX", "GROUP_CONCAT", "BIT_AND",
                            "BIT_OR", "BIT_XOR", "STD", "STDDEV", "STDDEV_POP", "STDDEV_SAMP",
                            "VARIANCE", "VAR_POP", "VAR_SAMP", "JSON_ARRAYAGG", "JSON_OBJECTAGG"});
}

// True when each row of the result is one row of its tables: nothing outside a subquery groups,
// aggregates, removes repeated rows, joins results (UNION and the like) or computes over a window.
// Such a result row stands for no single table row, so it is never written back.
bool ShowsTableRows(const std::vector<SqlToken>& t) {
    std::vector<bool> open; // the open parentheses; true for one that holds a subquery
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (IsDelim(t[i], '(')) {
            open.push_back(i + 1 < t.size() && IsKeyword(t[i + 1], "SELECT"));
            continue;
        }
        if (IsDelim(t[i], ')')) {
            if (!open.empty())
                open.pop_back();
            continue;
        }
        if (std::find(open.begin(), open.end(), true) != open.end())
            continue;
        if (IsAnyKeyword(t[i], {"GROUP", "HAVING", "UNION", "EXCEPT", "INTERSECT", "DISTINCT",
                                "DISTINCTROW", "OVER", "WINDOW"}))
            return false;
        if (IsAggregateName(t[i]) && i + 1 < t.size() && IsDelim(t[i + 1], '('))
            return false;
    }
    return true;
}

} // namespace

std::string NameText(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += '.';
        out += QuoteNameIfNeeded(parts[i]);
    }
    return out;
}

FromClause ScanFromClause(const std::vector<SqlToken>& tokens) {
    FromClause out;
    std::size_t i = FindFrom(tokens);
    if (i >= tokens.size())
        return out;
    ++i;
    std::size_t end = i;
    while (end < tokens.size() && !EndsFromClause(tokens[end]))
        end = IsDelim(tokens[end], '(') ? SkipGroup(tokens, end) : end + 1;
    end = std::min(end, tokens.size());

    std::set<std::pair<std::string, std::string>> known;
    while (i < end) {
        const SqlToken& t = tokens[i];
        if (IsNameWord(t)) {
            const std::string table = NameText(SplitName(t.text));
            std::string alias = table;
            bool given = false;
            ++i;
            if (i + 1 < end && (IsKeyword(tokens[i], "AS") || IsDelim(tokens[i], '='))) {
                alias = AliasText(tokens[i + 1]);
                given = true;
                i += 2;
            } else if (i < end && IsNameWord(tokens[i])) {
                alias = AliasText(tokens[i]); // an alias written without AS
                given = true;
                ++i;
            }
            if (known.insert({table, alias}).second) {
                out.tables.push_back(table);
                out.aliases.push_back(alias);
                out.aliasGiven.push_back(given);
            }
        }
        // Whatever else belongs to this item (join words, ON conditions, index hints, a derived
        // table) is passed over up to the next "," or JOIN.
        while (i < end && !IsDelim(tokens[i], ',') && !StartsJoin(tokens[i]))
            i = IsDelim(tokens[i], '(') ? SkipGroup(tokens, i) : i + 1;
        if (i < end)
            ++i;
    }
    return out;
}

void StatementAnalysis::Clear() {
    from_ = {};
    fields_.clear();
    describedKeys_.clear();
    columnCache_.clear();
    statementsRun_.clear();
}

bool StatementAnalysis::Analyse(const std::string& statement, TDirMySQLConnect& connection,
                                bool forEditing) {
    Clear();
    connection_ = &connection;
    const std::vector<SqlToken> tokens = TokenizeStatement(statement);
    from_ = ScanFromClause(tokens);
    if (from_.tables.empty())
        return false;
    if (tokens.empty() || !IsKeyword(tokens[0], "SELECT"))
        return false;
    // Grouped rows are not edited, but their columns still take their types from the tables.
    const bool showsTableRows = ShowsTableRows(tokens);

    const std::size_t from = FindFrom(tokens);
    std::size_t i = 1;
    while (i < from && IsAnyKeyword(tokens[i], {"ALL", "DISTINCT", "DISTINCTROW", "HIGH_PRIORITY",
                                                "STRAIGHT_JOIN", "SQL_SMALL_RESULT",
                                                "SQL_BIG_RESULT", "SQL_BUFFER_RESULT", "SQL_CACHE",
                                                "SQL_NO_CACHE", "SQL_CALC_FOUND_ROWS"}))
        ++i;
    auto itemEnds = [&](std::size_t k) { return k >= from || IsDelim(tokens[k], ','); };
    while (i < from) {
        const SqlToken& t = tokens[i];
        if (IsDelim(t, '*')) {
            for (const std::string& table : std::vector<std::string>(from_.tables))
                DescribeTable(table);
            break;
        }
        if (IsNameWord(t) && !(i + 1 < from && IsDelim(tokens[i + 1], '('))) {
            std::vector<std::string> parts = SplitName(t.text);
            if (parts.size() > 1 && parts.back().empty() && i + 1 < from &&
                IsDelim(tokens[i + 1], '*') && itemEnds(i + 2)) {
                // prefix.*: every column of that table
                parts.pop_back();
                DescribeAll(parts);
                i += 2;
            } else {
                const std::string column = parts.back();
                std::string key = NameText(parts), name = column;
                parts.pop_back();
                std::size_t k = i + 1;
                if (k + 1 < from && (IsKeyword(tokens[k], "AS") || IsDelim(tokens[k], '='))) {
                    key = name = AliasText(tokens[k + 1]);
                    k += 2;
                } else if (k < from && (IsNameWord(tokens[k]) || tokens[k].kind == tkQuoted)) {
                    key = name = AliasText(tokens[k]); // an alias written without AS
                    ++k;
                }
                // Only a plain column is described; an expression that starts with one is not.
                if (itemEnds(k) && !column.empty())
                    DescribeColumn(parts, column, key, name);
                i = k;
            }
        }
        while (i < from && !IsDelim(tokens[i], ','))
            i = IsDelim(tokens[i], '(') ? SkipGroup(tokens, i) : i + 1;
        ++i;
    }
    MakeAliasesUnique();
    return showsTableRows && (!forEditing || ViewsUpdatable());
}

bool StatementAnalysis::ViewsUpdatable() {
    MYSQL* handle = connection_->Handle();
    for (const std::string& table : from_.tables) {
        const std::vector<std::string> parts = SplitName(table);
        const std::string schema =
            parts.size() > 1 ? QuoteSqlValue(handle, parts.front()) : "DATABASE()";
        TDirMySqlQuery q(connection_);
        q.Sql = "SELECT IS_UPDATABLE FROM information_schema.VIEWS WHERE TABLE_SCHEMA = " + schema +
                " AND TABLE_NAME = " + QuoteSqlValue(handle, parts.back());
        statementsRun_.push_back(q.Sql);
        q.Open();
        if (q.GetStatus() != dsRows || q.GetEof() || !q.CurrentRow())
            continue; // a base table
        if (!EqualsNoCase(q.GetField(0), "YES"))
            return false;
        // A column of an updatable view may still stand for an expression; the server says so
        // when asked to write it, also for a statement that finds no row.
        for (TMySQLField& f : fields_) {
            if (f.Table != table)
                continue;
            const std::string column = QuoteNameIfNeeded(f.Column);
            TDirMySqlQuery probe(connection_);
            probe.Sql = "UPDATE " + table + " SET " + column + " = " + column + " WHERE 0";
            statementsRun_.push_back(probe.Sql);
            f.Writable = probe.ExecSql() != dsError;
        }
    }
    return true;
}

const std::vector<StatementAnalysis::ColumnRow>*
StatementAnalysis::Columns(const std::string& table) {
    auto it = columnCache_.find(table);
    if (it != columnCache_.end())
        return &it->second;
    std::vector<ColumnRow>& rows = columnCache_[table];
    TDirMySqlQuery q(connection_);
    q.Sql = "SHOW COLUMNS FROM " + table;
    statementsRun_.push_back(q.Sql);
    q.Open();
    if (q.GetStatus() == dsRows) {
        for (; !q.GetEof() && q.CurrentRow(); q.Next())
            rows.push_back({q.GetField(0), q.GetField(1), q.GetField(2), q.GetField(3),
                            q.GetField(4), q.GetField(5)});
    }
    return &rows;
}

std::string StatementAnalysis::ResolvePrefix(const std::vector<std::string>& prefix) const {
    const std::string text = NameText(prefix);
    const std::size_t n = from_.tables.size();
    if (prefix.size() == 1)
        for (std::size_t k = 0; k < n; ++k)
            if (from_.aliasGiven[k] && from_.aliases[k] == prefix[0])
                return from_.tables[k];
    for (std::size_t k = 0; k < n; ++k)
        if (from_.tables[k] == text)
            return from_.tables[k];
    // A table named with its database is also known by its own name.
    if (prefix.size() == 1)
        for (std::size_t k = 0; k < n; ++k)
            if (!from_.aliasGiven[k] && LastPart(from_.tables[k]) == prefix[0])
                return from_.tables[k];
    return text;
}

void StatementAnalysis::DescribeColumn(const std::vector<std::string>& prefix,
                                       const std::string& column, const std::string& key,
                                       const std::string& name) {
    std::vector<std::string> candidates;
    if (!prefix.empty())
        candidates.push_back(ResolvePrefix(prefix));
    else
        candidates = from_.tables;
    for (const std::string& table : candidates) {
        for (const ColumnRow& row : *Columns(table)) {
            if (EqualsNoCase(row.field, column)) {
                DescribeRow(table, row, key, name);
                return;
            }
        }
    }
}

void StatementAnalysis::DescribeAll(const std::vector<std::string>& prefix) {
    DescribeTable(ResolvePrefix(prefix));
}

void StatementAnalysis::DescribeTable(const std::string& table) {
    for (const ColumnRow& row : *Columns(table))
        DescribeRow(table, row, table + "." + QuoteName(row.field), row.field);
}

void StatementAnalysis::DescribeRow(const std::string& table, const ColumnRow& row,
                                    const std::string& key, const std::string& name) {
    if (!describedKeys_.insert(key).second)
        return;
    TMySQLField f;
    f.Table = table;
    f.Column = row.field;
    f.Alias = name;
    const ColumnType ct = ColumnTypeFromText(row.type);
    f.DataType = ct.type;
    f.Size = ct.size;
    f.Unsigned = ct.isUnsigned;
    f.TypeText = row.type;
    f.KeyKind = row.key == "PRI" ? 1 : row.key == "MUL" ? 2 : row.key == "UNI" ? 3 : 0;
    std::string extra = row.extra;
    for (char& c : extra)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extra.find("auto_increment") != std::string::npos)
        f.AutoKind = 1;
    else if (row.type.rfind("timestamp", 0) == 0)
        f.AutoKind = 2;
    f.Nullable = EqualsNoCase(row.null, "YES") && f.KeyKind == 0 ? 1 : 0;
    f.DefaultValue = row.defaultValue;
    f.Extra = row.extra;
    fields_.push_back(std::move(f));
}

void StatementAnalysis::MakeAliasesUnique() {
    // As the result names repeated columns: the K-th repetition of a name gets "_" and K.
    std::unordered_map<std::string, int> seen;
    for (TMySQLField& f : fields_) {
        const int same = seen[f.Alias]++;
        if (same)
            f.Alias += "_" + std::to_string(same);
    }
}

namespace {

// The index of the only element that matches ignoring case, or -1 (none, or more than one).
template <typename Get>
int OnlyMatchIgnoringCase(const std::vector<TMySQLField>& fields, std::string_view name, Get get) {
    int found = -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (EqualsNoCase(get(fields[i]), name)) {
            if (found >= 0)
                return -1;
            found = static_cast<int>(i);
        }
    }
    return found;
}

} // namespace

int StatementAnalysis::Find(std::string_view name) const {
    auto alias = [](const TMySQLField& f) -> const std::string& { return f.Alias; };
    auto column = [](const TMySQLField& f) -> const std::string& { return f.Column; };
    for (auto get : {+alias, +column}) {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (get(fields_[i]) == name)
                return static_cast<int>(i);
        if (name.find('.') == std::string_view::npos)
            if (const int i = OnlyMatchIgnoringCase(fields_, name, get); i >= 0)
                return i;
    }
    std::vector<std::string> parts = SplitName(name);
    if (parts.size() < 2)
        return -1;
    const std::string col = parts.back();
    parts.pop_back();
    const std::string table = NameText(parts);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if ((fields_[i].Table == table ||
             (parts.size() == 1 && LastPart(fields_[i].Table) == parts[0])) &&
            fields_[i].Column == col)
            return static_cast<int>(i);
    return -1;
}

int StatementAnalysis::FindSource(std::string_view db, std::string_view table,
                                  std::string_view column, const std::vector<bool>& taken) const {
    if (table.empty() || column.empty())
        return -1;
    // Names as the server compares them: exactly first, then without regard to case.
    for (bool exact : {true, false}) {
        auto same = [&](std::string_view a, std::string_view b) {
            return exact ? a == b : EqualsNoCase(a, b);
        };
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (i < taken.size() && taken[i])
                continue;
            const std::vector<std::string> parts = SplitName(fields_[i].Table);
            if (!same(parts.back(), table) || !EqualsNoCase(fields_[i].Column, column))
                continue;
            if (parts.size() > 1 && !db.empty() && !same(parts.front(), db))
                continue;
            return static_cast<int>(i);
        }
    }
    return -1;
}

// One name of each key column of the table (its column name or its alias), separated by blanks.
static std::string KeyNames(const std::vector<TMySQLField>& fields, std::string_view table,
                            std::string TMySQLField::*name) {
    std::string out;
    for (const TMySQLField& f : fields)
        if (f.Table == table && f.KeyKind == 1)
            out += (out.empty() ? "" : " ") + f.*name;
    return out;
}

std::string StatementAnalysis::KeyColumns(std::string_view table) const {
    return KeyNames(fields_, table, &TMySQLField::Column);
}

std::string StatementAnalysis::KeyAliases(std::string_view table) const {
    return KeyNames(fields_, table, &TMySQLField::Alias);
}

std::string StatementAnalysis::AutoIncrementAlias(std::string_view table) const {
    for (const TMySQLField& f : fields_)
        if (f.Table == table && f.KeyKind == 1 && f.AutoKind == 1)
            return f.Alias;
    return {};
}

std::vector<std::string> StatementAnalysis::PrimaryKeyOf(const std::string& table) const {
    std::vector<std::string> keys;
    const auto it = columnCache_.find(table);
    if (it != columnCache_.end())
        for (const ColumnRow& row : it->second)
            if (row.key == "PRI")
                keys.push_back(row.field);
    return keys;
}

std::vector<std::string> StatementAnalysis::ColumnsOf(const std::string& table) const {
    std::vector<std::string> columns;
    const auto it = columnCache_.find(table);
    if (it != columnCache_.end())
        for (const ColumnRow& row : it->second)
            columns.push_back(row.field);
    return columns;
}
