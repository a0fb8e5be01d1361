#include "data/field.h"

#include "data/dataset.h"
#include "data/live_errors.h"

#include <new>

TField::TField(TDataSet& dataSet, std::string name, FieldType type, std::int64_t size, int fieldNo,
               bool isUnsigned)
    : dataSet_(dataSet), name_(std::move(name)), type_(type), kind_(KindOf(type)), size_(size),
      fieldNo_(fieldNo), unsigned_(isUnsigned) {}

ValueView TField::Value() const {
    return dataSet_.CurrentFieldValue(*this);
}

std::string TField::AsString() const {
    // Shown for every cell of a grid and every field read as text: the held text decides it
    // without reading the value when it can.
    std::string_view text;
    const StoredValue stored = dataSet_.CurrentFieldText(*this, text);
    if (stored == StoredValue::Null)
        return {};
    if (stored == StoredValue::Text) {
        if (kind_ == ValueKind::Text || kind_ == ValueKind::Decimal)
            return std::string(text);
        if (std::string_view shown; StoredDisplayText(kind_, unsigned_, text, shown))
            return std::string(shown);
    }
    return DisplayText(type_, unsigned_, Value());
}

std::string TField::ValueText() const {
    return ExactText(type_, unsigned_, Value());
}

std::int64_t TField::AsInteger() const {
    const ValueView v = Value();
    if (v.null)
        return 0;
    switch (kind_) {
    case ValueKind::Integer:
    case ValueKind::Boolean:
        return v.i;
    case ValueKind::Float:
        return static_cast<std::int64_t>(v.d);
    default:
        return ParseInteger(v.text);
    }
}

std::uint64_t TField::AsUnsigned() const {
    const ValueView v = Value();
    if (v.null)
        return 0;
    if (kind_ == ValueKind::Integer || kind_ == ValueKind::Boolean)
        return static_cast<std::uint64_t>(v.i);
    return ParseUnsigned(ValueText());
}

double TField::AsFloat() const {
    const ValueView v = Value();
    if (v.null)
        return 0;
    switch (kind_) {
    case ValueKind::Float:
        return v.d;
    case ValueKind::Integer:
        return unsigned_ ? static_cast<double>(static_cast<std::uint64_t>(v.i))
                         : static_cast<double>(v.i);
    case ValueKind::Boolean:
        return static_cast<double>(v.i);
    default:
        return ParseFloat(v.text);
    }
}

bool TField::AsBoolean() const {
    const ValueView v = Value();
    if (v.null)
        return false;
    if (kind_ == ValueKind::Boolean || kind_ == ValueKind::Integer)
        return v.i != 0;
    return !v.text.empty() && (v.text.front() == 'Y' || v.text.front() == 'y');
}

int TField::CompareWithText(std::string_view text) const {
    return CompareValueWithText(type_, unsigned_, Value(), text);
}

void TField::SetAsString(std::string_view text) {
    // A number column takes a number, never a 0 in place of a text it cannot read.
    if (!IsValueText(type_, unsigned_, text))
        throw ENotAValue(name_, std::string(text));
    FieldValue value;
    try {
        value = ValueFromText(type_, unsigned_, CutToFieldSize(text, *this));
    } catch (const std::bad_alloc&) {
        throw EDatabaseError(liveerr::kMemoryAllocation);
    }
    dataSet_.SetFieldValue(*this, std::move(value));
}

std::string CutToFieldSize(std::string_view text, const TField& field) {
    if (field.DataType() != FieldType::String || field.Size() <= 0)
        return std::string(text);
    std::int64_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that is not a UTF-8 continuation byte.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == field.Size())
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

void TField::SetValue(const FieldValue& value) {
    dataSet_.SetFieldValue(*this, value);
}

void TField::Clear() {
    dataSet_.SetFieldValue(*this, FieldValue{});
}
