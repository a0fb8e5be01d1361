#include "tables/create_table_statement.h"

#include "data/sql_names.h"
#include "data/text_utils.h"

namespace {

std::string JoinNames(const std::vector<std::string>& names) {
    std::vector<std::string> designed;
    for (const std::string& name : names)
        designed.push_back(DesignName(name));
    return Joined(designed, ',');
}

} // namespace

std::string DesignName(std::string_view name) {
    if (name.empty())
        return {};
    if (name.size() >= 2 && name.front() == '`' && name.back() == '`')
        return std::string(name);
    return QuoteNameIfNeeded(name);
}

std::string PrimaryKeyClause(const std::vector<std::string>& columns) {
    return "PRIMARY KEY (" + JoinNames(columns) + ")";
}

std::string IndexClause(std::string_view name, const std::vector<std::string>& columns) {
    return "INDEX " + DesignName(name) + " (" + JoinNames(columns) + ")";
}

bool HasPrimaryKeyClause(const std::vector<std::string>& clauses) {
    for (const std::string& clause : clauses)
        if (clause.starts_with("PRIMARY"))
            return true;
    return false;
}

std::string ColumnDefinition(const DesignRow& row, bool inlineKeys) {
    std::string out = DesignName(row.name) + " " + row.type;
    if (!row.size.empty())
        out += "(" + row.size + ")";
    if (!row.isUnsigned.empty())
        out += " UNSIGNED";
    if (row.required == "TRUE")
        out += " NOT NULL";
    if (!row.index.empty() && inlineKeys)
        out += " PRIMARY KEY";
    if (!row.defaultValue.empty())
        out += " DEFAULT " + row.defaultValue;
    return out;
}

std::string CreateTableStatement(std::string_view table, const std::vector<DesignRow>& rows,
                                 const std::vector<std::string>& clauses) {
    const bool inlineKeys = !HasPrimaryKeyClause(clauses);
    std::string sql = "CREATE TABLE " + DesignName(table) + "(";
    sql += kDesignLineBreak;
    bool first = true;
    for (const DesignRow& row : rows) {
        // A row left without name and type (the Down arrow adds one) defines no column.
        if (row.name.empty() && row.type.empty())
            continue;
        if (!first) {
            sql += ',';
            sql += kDesignLineBreak;
        }
        first = false;
        sql += ColumnDefinition(row, inlineKeys);
    }
    // The clauses follow the columns, one a line; an empty clause list writes none.
    for (const std::string& clause : clauses) {
        sql += ',';
        sql += kDesignLineBreak;
        sql += clause;
    }
    sql += kDesignLineBreak;
    sql += ')';
    return sql;
}
