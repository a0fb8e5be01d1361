#include "data/statement_analysis.h"

#include "data/column_types.h"
#include "data/dir_query.h"
#include "data/sql_names.h"

#include <algorithm>
#include <initializer_list>

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

// Words that may follow a table name without being its alias.
bool IsJoinWord(const SqlToken& t) {
    return StartsJoin(t) || EndsFromClause(t) ||
           IsAnyKeyword(t, {"INNER", "CROSS", "LEFT", "RIGHT", "OUTER", "NATURAL", "FULL", "ON",
                            "USING", "USE", "IGNORE", "FORCE", "PARTITION", "AS"});
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

// An alias as written after AS: a word (backticks removed) or a quoted text.
std::string AliasText(const SqlToken& t) {
    return t.kind == tkQuoted ? Unquote(t.text) : PlainName(t.text);
}

std::string AfterLastStop(const std::string& s) {
    const std::size_t dot = s.rfind('.');
    return dot == std::string::npos ? s : s.substr(dot + 1);
}

std::string QuotedTable(const std::string& plain) {
    // The plain name came from SplitName; quote every part.
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = plain.find('.', start);
        if (!out.empty())
            out += '.';
        out += QuoteName(plain.substr(start, dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return out;
}

} // namespace

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

    while (i < end) {
        const SqlToken& t = tokens[i];
        if (t.kind == tkWord && !IsJoinWord(t)) {
            const std::string table = PlainName(t.text);
            std::string alias = table;
            ++i;
            if (i + 1 < end && (IsKeyword(tokens[i], "AS") || IsDelim(tokens[i], '='))) {
                alias = AliasText(tokens[i + 1]);
                i += 2;
            } else if (i < end && tokens[i].kind == tkWord && !IsJoinWord(tokens[i])) {
                alias = AliasText(tokens[i]); // an alias written without AS
                ++i;
            }
            bool known = false;
            for (std::size_t k = 0; k < out.tables.size(); ++k)
                known = known || (out.tables[k] == table && out.aliases[k] == alias);
            if (!known) {
                out.tables.push_back(table);
                out.aliases.push_back(alias);
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
    columnCache_.clear();
    statementsRun_.clear();
}

bool StatementAnalysis::Analyse(const std::string& statement, TDirMySQLConnect& connection) {
    Clear();
    connection_ = &connection;
    const std::vector<SqlToken> tokens = TokenizeStatement(statement);
    from_ = ScanFromClause(tokens);
    if (from_.tables.empty())
        return false;
    if (tokens.empty() || !IsKeyword(tokens[0], "SELECT"))
        return false;

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
                DescribeAll(table);
            break;
        }
        if (t.kind == tkWord && !(i + 1 < from && IsDelim(tokens[i + 1], '('))) {
            std::vector<std::string> parts = SplitName(t.text);
            if (parts.size() > 1 && parts.back().empty() && i + 1 < from &&
                IsDelim(tokens[i + 1], '*') && itemEnds(i + 2)) {
                // prefix.*: every column of that table
                parts.pop_back();
                std::string prefix;
                for (const auto& p : parts)
                    prefix += (prefix.empty() ? "" : ".") + p;
                DescribeAll(prefix);
                i += 2;
            } else {
                const std::string column = parts.back();
                parts.pop_back();
                std::string prefix;
                for (const auto& p : parts)
                    prefix += (prefix.empty() ? "" : ".") + p;
                std::string alias = prefix.empty() ? column : prefix + "." + column;
                std::size_t k = i + 1;
                if (k + 1 < from && (IsKeyword(tokens[k], "AS") || IsDelim(tokens[k], '='))) {
                    alias = AliasText(tokens[k + 1]);
                    k += 2;
                } else if (k < from && (tokens[k].kind == tkWord || tokens[k].kind == tkQuoted)) {
                    alias = AliasText(tokens[k]); // an alias written without AS
                    ++k;
                }
                // Only a plain column is described; an expression that starts with one is not.
                if (itemEnds(k) && !column.empty())
                    DescribeColumn(prefix, column, alias);
                i = k;
            }
        }
        while (i < from && !IsDelim(tokens[i], ','))
            i = IsDelim(tokens[i], '(') ? SkipGroup(tokens, i) : i + 1;
        ++i;
    }
    MakeAliasesUnique();
    return true;
}

const std::vector<StatementAnalysis::ColumnRow>*
StatementAnalysis::Columns(const std::string& table) {
    auto it = columnCache_.find(table);
    if (it != columnCache_.end())
        return &it->second;
    std::vector<ColumnRow>& rows = columnCache_[table];
    TDirMySqlQuery q(connection_);
    q.Sql = "SHOW COLUMNS FROM " + QuotedTable(table);
    statementsRun_.push_back(q.Sql);
    q.Open();
    if (q.GetStatus() == dsRows) {
        for (; !q.GetEof() && q.CurrentRow(); q.Next())
            rows.push_back({q.GetField(0), q.GetField(1), q.GetField(2), q.GetField(3),
                            q.GetField(4), q.GetField(5)});
    }
    return &rows;
}

std::string StatementAnalysis::ResolvePrefix(const std::string& prefix) const {
    for (std::size_t k = 0; k < from_.aliases.size(); ++k)
        if (from_.aliases[k] == prefix)
            return from_.tables[k];
    for (std::size_t k = 0; k < from_.aliases.size(); ++k)
        if (EqualsNoCase(from_.aliases[k], prefix))
            return from_.tables[k];
    return prefix;
}

void StatementAnalysis::DescribeColumn(const std::string& prefix, const std::string& column,
                                       const std::string& alias) {
    std::vector<std::string> candidates;
    if (!prefix.empty())
        candidates.push_back(ResolvePrefix(prefix));
    else
        candidates = from_.tables;
    for (const std::string& table : candidates) {
        for (const ColumnRow& row : *Columns(table)) {
            if (EqualsNoCase(row.field, column)) {
                DescribeRow(table, row, alias);
                return;
            }
        }
    }
}

void StatementAnalysis::DescribeAll(const std::string& name) {
    std::string table = name;
    if (std::find(from_.tables.begin(), from_.tables.end(), name) == from_.tables.end())
        table = ResolvePrefix(name);
    for (const ColumnRow& row : *Columns(table))
        DescribeRow(table, row, table + "." + row.field);
}

void StatementAnalysis::DescribeRow(const std::string& table, const ColumnRow& row,
                                    const std::string& alias) {
    for (const TMySQLField& f : fields_)
        if (f.Alias == alias)
            return;
    TMySQLField f;
    f.Table = table;
    f.Column = row.field;
    f.Alias = alias;
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
    for (std::size_t i = fields_.size(); i-- > 0;) {
        const std::string base = AfterLastStop(fields_[i].Alias);
        int same = 0;
        for (std::size_t k = 0; k < fields_.size(); ++k)
            if (k != i && EqualsNoCase(AfterLastStop(fields_[k].Alias), base))
                ++same;
        fields_[i].Alias = same ? base + "_" + std::to_string(same) : base;
    }
}

int StatementAnalysis::Find(std::string_view name) const {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (EqualsNoCase(fields_[i].Alias, name))
                return static_cast<int>(i);
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (EqualsNoCase(fields_[i].Column, name))
                return static_cast<int>(i);
        return -1;
    }
    const std::string_view table = name.substr(0, dot), column = name.substr(dot + 1);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (EqualsNoCase(fields_[i].Table, table) && EqualsNoCase(fields_[i].Column, column))
            return static_cast<int>(i);
    return -1;
}

std::string StatementAnalysis::KeyColumns(std::string_view table) const {
    std::string out;
    for (const TMySQLField& f : fields_)
        if (f.Table == table && f.KeyKind == 1)
            out += (out.empty() ? "" : " ") + f.Column;
    return out;
}

std::string StatementAnalysis::KeyAliases(std::string_view table) const {
    std::string out;
    for (const TMySQLField& f : fields_)
        if (f.Table == table && f.KeyKind == 1)
            out += (out.empty() ? "" : " ") + f.Alias;
    return out;
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
