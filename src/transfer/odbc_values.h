// Reading the columns of a fetched ODBC row into dataset values. Integers are read as 64-bit
// numbers, floats as doubles, text as wide characters (turned into UTF-8), binary columns as
// bytes; long values come in parts and are joined; SQL_NULL_DATA is NULL.
#pragma once

#include "data/field_value.h"
#include "transfer/odbc_handles.h"

#include <cstdint>
#include <string>

// How a column is read and which dataset type it becomes.
struct OdbcColumn {
    std::string name;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN size = 0;
    bool isUnsigned = false;
    FieldType fieldType = FieldType::String;
};

// The column's description after a statement ran (column is 1-based).
OdbcColumn DescribeOdbcColumn(const OdbcHandle& statement, SQLUSMALLINT column);

// Reads the value of a column of the current row (columns in ascending order, each once).
FieldValue ReadOdbcValue(const OdbcHandle& statement, SQLUSMALLINT column,
                         const OdbcColumn& description);

// UTF-16 code units (SQLWCHAR) into UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const SQLWCHAR* text, std::size_t units);
