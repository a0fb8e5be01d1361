// The field type and size of a table column, read from the Type text of SHOW COLUMNS.
#pragma once

#include "data/field_value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ColumnType {
    FieldType type = FieldType::String;
    std::int64_t size = 0;
    bool isUnsigned = false;
};

// Integers (any *int, year) are 64-bit, unsigned when declared so; double/float/real are floats;
// decimal/numeric keep their digits; char/varchar are strings of their width (50 when unreadable);
// date, datetime(n), time(n) are dates and times; timestamp is a string wide enough for its text;
// *blob is a blob, *text and json a memo; enum('y','n') is a boolean, other enums strings as wide
// as their longest value. Types without a place of their own (set, bit, binary, varbinary, uuid,
// inet4/6, geometry and anything unknown) become strings, binary ones blobs, sized from their
// declaration.
ColumnType ColumnTypeFromText(std::string_view typeText);

// The values of an enum(...) or set(...) declaration, quotes removed.
std::vector<std::string> DeclaredValues(std::string_view typeText);
