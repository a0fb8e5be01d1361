// A field of a dataset: name, type, size and the value of the dataset's current row.
#pragma once

#include "data/field_value.h"

#include <cstdint>
#include <string>
#include <string_view>

class TDataSet;

class TField {
public:
    TField(TDataSet& dataSet, std::string name, FieldType type, std::int64_t size, int fieldNo,
           bool isUnsigned);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet& DataSet() const { return dataSet_; }
    const std::string& FieldName() const { return name_; }
    FieldType DataType() const { return type_; }
    // Text width for string fields (in characters), 0 for the others.
    std::int64_t Size() const { return size_; }
    void SetSize(std::int64_t size) { size_ = size; }
    int FieldNo() const { return fieldNo_; } // 1-based
    std::size_t Index() const { return static_cast<std::size_t>(fieldNo_ - 1); }
    bool IsUnsigned() const { return unsigned_; }

    bool Required = false;
    bool ReadOnly = false;
    int Precision = 30;
    // The text a new row's value starts from.
    std::string DefaultExpression;

    ValueView Value() const;
    bool IsNull() const { return Value().null; }
    // The value as shown: midnight and zero dates left out, booleans "Y"/"N"; NULL is empty.
    std::string AsString() const;
    // The value exactly as the server has it, for statements and comparisons; NULL is empty.
    std::string ValueText() const;
    std::int64_t AsInteger() const;
    std::uint64_t AsUnsigned() const;
    double AsFloat() const;
    bool AsBoolean() const;
    // <0, 0, >0 as the value compares with a text (numbers as numbers, DECIMAL exactly).
    int CompareWithText(std::string_view text) const;

    // Writing needs the dataset in edit or insert state.
    void SetAsString(std::string_view text);
    void SetValue(const FieldValue& value);
    void Clear(); // sets the value NULL

private:
    TDataSet& dataSet_;
    std::string name_;
    FieldType type_;
    ValueKind kind_; // of type_
    std::int64_t size_;
    int fieldNo_;
    bool unsigned_;
};

// A text for a string field cut to the field's size in characters, never inside a character;
// other fields take the text whole.
std::string CutToFieldSize(std::string_view text, const TField& field);
