// The CREATE TABLE statement of the designer, built from its grid rows, the table name and the key
// clauses. Names typed by the operator are quoted when they are not plain identifiers (a name typed
// between backticks stays as typed); types, sizes and defaults go in exactly as typed, so the
// operator writes a default's quotes himself and the server judges the definition.
#pragma once

#include "tables/table_design.h"

#include <string>
#include <string_view>
#include <vector>

// The line break of the statement: a line feed followed by a carriage return.
inline constexpr std::string_view kDesignLineBreak = "\n\r";

// A table, column or index name as it goes into the statement: nothing for an empty name, the name
// as typed when it is a plain identifier or already stands between backticks, else between
// backticks.
std::string DesignName(std::string_view name);

// "PRIMARY KEY (a,b)" over the given columns.
std::string PrimaryKeyClause(const std::vector<std::string>& columns);
// "INDEX name (a,b)"; an empty name leaves two blanks between INDEX and the parenthesis.
std::string IndexClause(std::string_view name, const std::vector<std::string>& columns);
// True when some clause is a primary key: then no column gets an inline PRIMARY KEY.
bool HasPrimaryKeyClause(const std::vector<std::string>& clauses);

// One column definition: name, type, (size), UNSIGNED, NOT NULL, inline PRIMARY KEY, DEFAULT.
std::string ColumnDefinition(const DesignRow& row, bool inlineKeys);

// The whole statement: every row in grid order, then the clauses in order. A row with neither a
// name nor a type is left out; any other row is written as it is, for the server to judge.
std::string CreateTableStatement(std::string_view table, const std::vector<DesignRow>& rows,
                                 const std::vector<std::string>& clauses);
