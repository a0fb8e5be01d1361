// What a query learns about its statement when it opens: the tables of the FROM clause with their
// aliases, and a description of every selected table column from the server's SHOW COLUMNS.
#pragma once

#include "data/field_value.h"
#include "data/sql_scanner.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class TDirMySQLConnect;

// One described column of the select list.
struct TMySQLField {
    std::string Table;  // the table as the server knows it (aliases resolved, no backticks)
    std::string Column; // the column name the server reports
    std::string Alias;  // the dataset field's name, unique among the descriptions
    FieldType DataType = FieldType::String;
    std::int64_t Size = 0;
    bool Unsigned = false;
    std::uint8_t KeyKind = 0;  // 1 primary key, 2 non-unique index, 3 unique index, 0 none
    std::uint8_t AutoKind = 0; // 1 auto_increment, 2 timestamp, 0 otherwise
    std::uint8_t Nullable = 0; // 1 when the column takes NULL and has no key
    std::string DefaultValue;
    std::string TypeText; // the Type text the description came from
    std::string Extra;    // the Extra text (auto_increment, VIRTUAL GENERATED, ...)
};

// The tables of a FROM clause and their aliases (the table name again where none is given).
struct FromClause {
    std::vector<std::string> tables;
    std::vector<std::string> aliases;
};

// Scans the FROM clause of a statement: tables separated by "," or a JOIN, each optionally
// followed by an alias (after AS, "=", or directly). ON/USING conditions, index hints and derived
// tables in parentheses are passed over.
FromClause ScanFromClause(const std::vector<SqlToken>& tokens);

class StatementAnalysis {
public:
    // Rebuilds everything for a statement, running SHOW COLUMNS on the connection. Answers false
    // when the statement cannot be edited (no table in it, or not a SELECT).
    bool Analyse(const std::string& statement, TDirMySQLConnect& connection);
    void Clear();

    const std::vector<TMySQLField>& Fields() const { return fields_; }
    const std::vector<std::string>& Tables() const { return from_.tables; }
    const std::vector<std::string>& Aliases() const { return from_.aliases; }

    // The description a name stands for: without a full stop matched against Alias, then Column;
    // with one, split at the last full stop into table and column, both matching. -1 when none.
    int Find(std::string_view name) const;

    // The key columns (or their aliases) of a table, separated by single blanks, and the alias of
    // its auto-increment key column.
    std::string KeyColumns(std::string_view table) const;
    std::string KeyAliases(std::string_view table) const;
    std::string AutoIncrementAlias(std::string_view table) const;
    // Every primary-key column of a table the analysis asked the server about, selected or not.
    std::vector<std::string> PrimaryKeyOf(const std::string& table) const;

    // The SHOW COLUMNS statements run by the last analysis, in order.
    const std::vector<std::string>& StatementsRun() const { return statementsRun_; }

private:
    struct ColumnRow {
        std::string field, type, null, key, defaultValue, extra;
    };
    const std::vector<ColumnRow>* Columns(const std::string& table);
    std::string ResolvePrefix(const std::string& prefix) const;
    void DescribeColumn(const std::string& prefix, const std::string& column,
                        const std::string& alias);
    void DescribeAll(const std::string& name);
    void DescribeRow(const std::string& table, const ColumnRow& row, const std::string& alias);
    void MakeAliasesUnique();

    TDirMySQLConnect* connection_ = nullptr;
    FromClause from_;
    std::vector<TMySQLField> fields_;
    std::map<std::string, std::vector<ColumnRow>> columnCache_;
    std::vector<std::string> statementsRun_;
};
