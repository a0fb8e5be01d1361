// The dataset's field types and what each one is: one row per type in field_types.cpp.
//
// A new column type is an enumerator here, its row in the table, and the line of the column-type
// parser (column_types.cpp) that recognises its declaration; the build fails while the table lacks
// the row. Everything that reads, shows,
// compares, sizes or defaults a value asks the row, mostly through the value kind.
#pragma once

#include <cstdint>

enum class FieldType : std::uint8_t {
    String,
    Integer,
    Boolean,
    Float,
    Decimal,
    Date,
    Time,
    DateTime,
    Blob,
    Memo,
};

// The last enumerator: a type added at the end moves it, and the table then needs its row.
inline constexpr FieldType kLastFieldType = FieldType::Memo;

// How a type's values are held, read, compared and shown.
enum class ValueKind : std::uint8_t {
    Integer,  // a 64-bit integer (an unsigned field keeps the bits of a uint64), with its text
    Float,    // a double, with its text
    Boolean,  // 0 or 1, shown and written as Y or N
    Decimal,  // digits as text, compared as numbers
    DateTime, // text, shown without a zero date or a midnight
    Text,     // text (bytes for a blob), compared byte by byte
};

enum class FieldAlignment : std::uint8_t { Left, Right };

struct FieldTypeTraits {
    FieldType type;
    const char* name;
    ValueKind kind;
    FieldAlignment alignment;
    // The width a grid column opens with, in characters: the field's size plus sizeExtra when
    // sizeExtra >= 0 and the field has a size, else defaultChars.
    int defaultChars;
    int sizeExtra;
    // The value a key column without a default of its own starts with; empty for none.
    const char* zeroText;
};

const FieldTypeTraits& TraitsOf(FieldType type);

inline ValueKind KindOf(FieldType type) {
    return TraitsOf(type).kind;
}

const char* FieldTypeName(FieldType type);

// True for the types whose value is held as text.
bool IsTextType(FieldType type);

// True for the types held as a binary number (integer or float).
bool IsBinaryNumberType(FieldType type);

// The width a grid column opens with for a field of the type and size, in characters.
std::int64_t DisplayChars(FieldType type, std::int64_t size);
