// The statements that write one changed row back: an INSERT, UPDATE or DELETE for the tables of
// the statement that have columns in the row.
//
// A row is found by its table's primary key when every key column is in the row; otherwise by all
// of its columns, and then the statement ends with " LIMIT 1" so that one of several rows equal
// in every byte is touched. Every comparison is exact: texts byte for byte (case and trailing
// blanks count, whatever the collation), BIT values as bit literals, numbers as numbers. A FLOAT
// (which the server shows rounded) and a TIMESTAMP (whose shown time a clock change may repeat)
// can stand for more than one stored value: the statement then carries the checks that must pass
// before it is sent (see GeneratedStatement). An UPDATE also compares the changed columns with
// their values as read (or the value it writes), so that it finds nothing when another user changed
// one of them since; a DELETE checks the key only. A DELETE of a row of several tables deletes from
// the first table of the FROM list that has columns in the row, and from no other.
//
// Names are quoted where needed; numbers stand as numbers, other values as literals of the session
// that runs them. A new row leaves out generated columns, columns whose default is an expression,
// and an ENUM ... NOT NULL without a default that the row does not set (the server takes its first
// member); an untouched auto-increment column is written as NULL.
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
    // Checks to pass before the statement is sent; a failed one refuses the change (nothing is
    // written). TIMESTAMP texts, with their columns, by which the statement finds its row: each
    // must name one instant in the session's time zone.
    std::vector<std::pair<std::string, std::string>> instants; // column, text
    // A SELECT answering how many different rows the statement's condition finds (at most 2),
    // when a FLOAT compared by the range of its shown text helps to find the row, or when the
    // row is found by its columns and some columns of its table are not in it; more than 1
    // refuses.
    std::string distinctRowsProbe;
    bool probeHiddenColumns = false; // the probe is about columns left out of the row
    std::string probeName;           // named in the refusal: the FLOAT column, or the table
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
