// What a query learns about its statement when it opens: the tables of the FROM clause with their
// aliases, and a description of every selected table column from the server's SHOW COLUMNS.
#pragma once

#include "data/field_value.h"
#include "data/sql_scanner.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

class TDirMySQLConnect;

// One described column of the select list.
struct TMySQLField {
    // The table as SQL text, aliases resolved: its name, after its database and a full stop when
    // the statement names one; a part that is not a plain name stands between backticks (`x.y` is
    // one table, x.y table y of database x).
    std::string Table;
    std::string Column; // the column name the server reports
    // The dataset field's name: the select list's alias, else the column name, made unique the
    // way the result names repeated columns (id, id_1, id_2).
    std::string Alias;
    FieldType DataType = FieldType::String;
    std::int64_t Size = 0;
    bool Unsigned = false;
    std::uint8_t KeyKind = 0;  // 1 primary key, 2 non-unique index, 3 unique index, 0 none
    std::uint8_t AutoKind = 0; // 1 auto_increment, 2 timestamp, 0 otherwise
    std::uint8_t Nullable = 0; // 1 when the column takes NULL and has no key
    std::string DefaultValue;
    std::string TypeText; // the Type text the description came from
    std::string Extra;    // the Extra text (auto_increment, VIRTUAL GENERATED, ...)
    // False for a column of a view that stands for an expression: the server refuses to write it.
    bool Writable = true;
};

// The tables of a FROM clause (as SQL text, see TMySQLField::Table) and their aliases (the table
// again where none is given).
struct FromClause {
    std::vector<std::string> tables;
    std::vector<std::string> aliases;
    std::vector<bool> aliasGiven;
};

// A table or column reference as SQL text: the parts of a word (SplitName) joined by full stops,
// each between backticks unless it is a plain name.
std::string NameText(const std::vector<std::string>& parts);

// Scans the FROM clause of a statement: tables separated by "," or a JOIN, each optionally
// followed by an alias (after AS, "=", or directly). ON/USING conditions, index hints and derived
// tables in parentheses are passed over.
FromClause ScanFromClause(const std::vector<SqlToken>& tokens);

class StatementAnalysis {
public:
    // Rebuilds everything for a statement, running SHOW COLUMNS on the connection. Answers false
    // when the statement cannot be edited: no table in it, not a SELECT, rows that are not rows
    // of its tables (grouped, aggregated, DISTINCT, a UNION, window functions), or a view the
    // server cannot update (asked only when `forEditing`).
    bool Analyse(const std::string& statement, TDirMySQLConnect& connection,
                 bool forEditing = true);
    void Clear();

    const std::vector<TMySQLField>& Fields() const { return fields_; }
    const std::vector<std::string>& Tables() const { return from_.tables; }
    const std::vector<std::string>& Aliases() const { return from_.aliases; }

    // The description a name stands for: the one whose Alias is exactly the name, else the one
    // whose Column is; a name with a full stop (table.column, any part in backticks) matches
    // Table and Column. A match that ignores case counts only when it is the only one. -1 when
    // none.
    int Find(std::string_view name) const;
    // The description of a result column by what the server says it reads: its database, table
    // and column (MYSQL_FIELD db, org_table, org_name). A description already taken by an earlier
    // column (`taken`) is passed over, so that a column selected twice gets both of its
    // descriptions. -1 for an expression (no table) and for a column of no described table.
    int FindSource(std::string_view db, std::string_view table, std::string_view column,
                   const std::vector<bool>& taken) const;

    // The key columns (or their aliases) of a table, separated by single blanks, and the alias of
    // its auto-increment key column.
    std::string KeyColumns(std::string_view table) const;
    std::string KeyAliases(std::string_view table) const;
    std::string AutoIncrementAlias(std::string_view table) const;
    // Every primary-key column of a table the analysis asked the server about, selected or not.
    std::vector<std::string> PrimaryKeyOf(const std::string& table) const;
    // Every column of such a table, in the server's order.
    std::vector<std::string> ColumnsOf(const std::string& table) const;

    // The SHOW COLUMNS statements run by the last analysis, in order.
    const std::vector<std::string>& StatementsRun() const { return statementsRun_; }

private:
    struct ColumnRow {
        std::string field, type, null, key, defaultValue, extra;
    };
    const std::vector<ColumnRow>* Columns(const std::string& table);
    std::string ResolvePrefix(const std::vector<std::string>& prefix) const;
    void DescribeColumn(const std::vector<std::string>& prefix, const std::string& column,
                        const std::string& key, const std::string& name);
    void DescribeAll(const std::vector<std::string>& prefix);
    void DescribeTable(const std::string& table);
    void DescribeRow(const std::string& table, const ColumnRow& row, const std::string& key,
                     const std::string& name);
    void MakeAliasesUnique();
    bool ViewsUpdatable();

    TDirMySQLConnect* connection_ = nullptr;
    FromClause from_;
    std::vector<TMySQLField> fields_;
    std::set<std::string> describedKeys_; // table.column or the select list's alias
    std::map<std::string, std::vector<ColumnRow>> columnCache_;
    std::vector<std::string> statementsRun_;
};
