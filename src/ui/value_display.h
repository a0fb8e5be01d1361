// How a value reads in a grid cell and in the value viewer. Only the display changes: statements,
// comparisons and the cell editor keep the exact value.
//
// Text shows as it is; a JSON object or array shows compact; a geometry shows its well-known text;
// binary bytes (a blob or binary column that does not hold readable text, a bit column, text whose
// bytes are not UTF-8) show as a short summary: up to 16 bytes as 0x and their hexadecimal digits,
// longer values as the column type, the size and the format they begin with, "(BLOB 12.3 KB, PNG
// image)", or their first bytes in hexadecimal.
#pragma once

#include "data/field.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

enum class ValueForm { Text, Json, Geometry, Binary };

// The column type the field was read from ("longblob", "point", "varbinary(16)"); empty when the
// dataset does not describe its columns.
std::string ColumnTypeText(const TField& field);

// What the bytes of a field's (not NULL) value are.
ValueForm FormOfValue(const TField& field, std::string_view bytes);

// The text of a cell: a NULL is "(NULL)", anything longer than maxBytes is cut and ends in "…".
QString CellDisplayText(const TField& field, const ValueView& value, std::size_t maxBytes);

// True when the grid opens the value viewer on a double click rather than its cell editor: a blob
// or geometry column, binary bytes, JSON, and text with a line break or over kLongTextChars.
bool OpensInViewer(const TField& field, const ValueView& value);
inline constexpr std::int64_t kLongTextChars = 100;

// True when the cell editor may take the value: text and JSON. Binary bytes and geometries would
// not come back from an editor's text as they were.
bool EditableAsText(const TField& field, const ValueView& value);

// A byte count as it is read: "300 B", "12.3 KB", "4.5 MB" (a decimal comma in Croatian).
QString SizeText(std::uint64_t bytes);

// The type shown in a summary: the column's type in capitals without its width ("VARBINARY",
// "LONGBLOB"), else BLOB for a blob field and BINARY for others.
QString SummaryTypeName(const TField& field);

// What a known format is called: "PNG image", "PDF document", "ZIP archive"; empty when the bytes
// begin with no known format.
QString FormatDescription(std::string_view bytes);
