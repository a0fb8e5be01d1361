// Putting names of databases, tables and columns into SQL text.
#pragma once

#include <string>
#include <string_view>

// True for a name made only of letters, digits, "_" and "$" that neither begins with a digit nor
// is a reserved word: such a name stands in a statement as it is.
bool IsPlainIdentifier(std::string_view name);

// The text between two quote characters, each quote character inside it doubled.
std::string EncloseDoublingQuotes(std::string_view text, char quote);

// The name between backticks, embedded backticks doubled.
std::string QuoteName(std::string_view name);

// The name as it is when it is a plain identifier, otherwise QuoteName(name).
std::string QuoteNameIfNeeded(std::string_view name);

// A value between single quotes with backslashes and quotes escaped: right only for a session in
// which backslashes escape. Values for statements go through QuoteSqlValue (data/sql_values.h).
std::string QuoteValue(std::string_view value);
