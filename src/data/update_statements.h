// The statements that write one changed row back: an INSERT, UPDATE or DELETE for every table of
// the statement that has columns in the row.
//
// A row is found by its table's primary key when every key column is in the row; otherwise by all
// of its columns (FLOAT columns left out: they never equal their own text), and then the
// statement ends with " LIMIT 1" so that one of several equal rows is touched. Names are quoted
// where needed; numbers stand as numbers, other values as literals of the session that runs them.
// A new row leaves out generated columns and columns whose default is an expression; an untouched
// auto-increment column is written as NULL.
#pragma once

#include "data/field_values.h"
#include "data/statement_analysis.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct GeneratedStatement {
    std::string sql;
    std::size_t table = 0;  // its table's place in the FROM list
    bool insert = false;    // an INSERT (the insert id belongs to its table)
    bool mustMatch = false; // an UPDATE or DELETE, which must find its row
};

using SqlLiteralFn = std::function<std::string(std::string_view)>;

// state: 1 or 2 insert, 3 delete, 4 update (other states give nothing).
std::vector<GeneratedStatement> GenerateStatements(const StatementAnalysis& analysis,
                                                   const TFieldValues& oldValues,
                                                   const TFieldValues& newValues,
                                                   std::uint8_t state, const SqlLiteralFn& literal);

// A text as an edit writes it: CR LF becomes a line feed (a lone CR or LF stays); blobs as they
// are. Applied when a row is posted; the statements write the posted values as they are.
std::string TextAsWritten(FieldType type, const std::string& text);

// What a column's description says about writing it.
bool IsAutoIncrement(const TMySQLField& d);
bool IsGenerated(const TMySQLField& d);
// A table of the analysis as it stands in a statement.
std::string TableInStatement(std::string_view table);
