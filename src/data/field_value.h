// Field types and values of the dataset, and the text forms of a value.
//
// A value keeps exactly what the server sent: integers are 64-bit (unsigned fields keep the bits of
// a uint64), DECIMAL keeps its digits as text, dates and times keep their text (fractional
// seconds, hours beyond 24, zero dates). Two text forms exist: the display text (midnight and zero
// dates left out) and the exact text that statements and comparisons use.
#pragma once

#include "data/field_types.h"

#include <cstdint>
#include <string>
#include <string_view>

// A value as read, pointing into the row it belongs to (valid until that row changes).
struct ValueView {
    bool null = true;
    std::int64_t i = 0; // Integer (an unsigned field keeps the uint64 bits), Boolean 0 or 1
    double d = 0;       // Float
    // The value's text; for an Integer or Float the text it was read from (may be empty), which
    // the exact text gives back as long as it reads as the same number.
    std::string_view text;
    // The number was read from text as a whole: the text is its exact text as it stands.
    bool textExact = false;
};

// A value that owns its text: the edit buffer of a row being edited or inserted.
struct FieldValue {
    bool null = true;
    std::int64_t i = 0;
    double d = 0;
    std::string text;

    ValueView View() const { return {null, i, d, text}; }
    static FieldValue From(const ValueView& v) { return {v.null, v.i, v.d, std::string(v.text)}; }
};

// The value a text gives a field of the type: a number keeps its text, booleans are true when the
// text starts with Y or y, every other type the text as it is. A text that IsValueText refuses
// gives 0 here: callers that take an operator's text check it first (TField::SetAsString).
FieldValue ValueFromText(FieldType type, bool isUnsigned, std::string_view text);

// True when the text is exactly a value of a field of the type: integers are optional sign and
// digits within the type's range (no fraction, no exponent, no minus for an unsigned field),
// floats a finite number with a full stop as decimal point, DECIMAL a plain decimal number (sign,
// digits, full stop, digits); blanks at either end are allowed. Every other type takes any text.
bool IsValueText(FieldType type, bool isUnsigned, std::string_view text);

// Integer parsing shared with the row cache: the whole text must be a number, else 0.
std::int64_t ParseInteger(std::string_view text);
std::uint64_t ParseUnsigned(std::string_view text);
double ParseFloat(std::string_view text);

// The display text: numbers as the server wrote them (else decimal integers and the shortest
// text of a float), "Y"/"N", dates and times without a zero date or a zero time of day; NULL
// gives the empty text.
std::string DisplayText(FieldType type, bool isUnsigned, const ValueView& value);
// The exact text: as the server sent it, numbers included; a number set without a text is written
// as decimal digits (an integer) or the shortest text that reads back as it (a float). NULL is
// empty.
std::string ExactText(FieldType type, bool isUnsigned, const ValueView& value);

// The display rule for a date, time or date-and-time text.
std::string DateTimeDisplayText(std::string_view text);
// The same as a part of the text: what is shown of it is always one piece of it.
std::string_view DateTimeShownPart(std::string_view text);

// The display text of a value held as the text the server sent, when that text alone decides it:
// a part of the text or a constant, the same as DisplayText gives for the value read from it.
// False for a number whose text is not a plain number of its type (a sign, blanks, an exponent):
// the value is read first then.
bool StoredDisplayText(ValueKind kind, bool isUnsigned, std::string_view text,
                       std::string_view& shown);

// The date and time parts of a date/time text as it is shown; a part of zeros is left empty.
void ShownDateTimeParts(std::string_view text, std::string_view& date, std::string_view& time);

// The text without blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view s);

// Compares a value with a text by the field's type: numbers as numbers (DECIMAL digit by digit,
// never through a double), booleans by their first letter, everything else as exact text.
// Answers <0, 0, >0.
int CompareValueWithText(FieldType type, bool isUnsigned, const ValueView& value,
                         std::string_view text);

// Numeric comparison of two decimal texts; texts that are not decimals compare as bytes.
int CompareDecimalTexts(std::string_view a, std::string_view b);
