#include "data/field_types.h"

#include <array>
#include <cstddef>

namespace {

using enum FieldAlignment;

constexpr std::array kTraits = {
    //                                      kind               align  chars extra  zero
    FieldTypeTraits{FieldType::String, "String", ValueKind::Text, Left, 20, 0, ""},
    FieldTypeTraits{FieldType::Integer, "Integer", ValueKind::Integer, Right, 11, -1, "0"},
    FieldTypeTraits{FieldType::Boolean, "Boolean", ValueKind::Boolean, Left, 1, -1, "N"},
    FieldTypeTraits{FieldType::Float, "Float", ValueKind::Float, Right, 14, 2, "0"},
    FieldTypeTraits{FieldType::Decimal, "Decimal", ValueKind::Decimal, Right, 14, 2, "0"},
    FieldTypeTraits{FieldType::Date, "Date", ValueKind::DateTime, Left, 10, -1, "0000-00-00"},
    FieldTypeTraits{FieldType::Time, "Time", ValueKind::DateTime, Left, 9, -1, "00:00:00"},
    FieldTypeTraits{FieldType::DateTime, "DateTime", ValueKind::DateTime, Left, 19, -1,
                    "0000-00-00 00:00:00"},
    FieldTypeTraits{FieldType::Blob, "Blob", ValueKind::Text, Left, 10, -1, ""},
    FieldTypeTraits{FieldType::Memo, "Memo", ValueKind::Text, Left, 20, 0, ""},
};

constexpr bool EveryRowInPlace() {
    for (std::size_t i = 0; i < kTraits.size(); ++i)
        if (static_cast<std::size_t>(kTraits[i].type) != i)
            return false;
    return kTraits.size() == static_cast<std::size_t>(kLastFieldType) + 1;
}
static_assert(EveryRowInPlace(), "one row per field type, in the order of the enumeration");

} // namespace

const FieldTypeTraits& TraitsOf(FieldType type) {
    const auto i = static_cast<std::size_t>(type);
    return i < kTraits.size() ? kTraits[i] : kTraits[0];
}

const char* FieldTypeName(FieldType type) {
    return TraitsOf(type).name;
}

bool IsTextType(FieldType type) {
    return !IsBinaryNumberType(type) && KindOf(type) != ValueKind::Boolean;
}

bool IsBinaryNumberType(FieldType type) {
    const ValueKind kind = KindOf(type);
    return kind == ValueKind::Integer || kind == ValueKind::Float;
}

std::int64_t DisplayChars(FieldType type, std::int64_t size) {
    const FieldTypeTraits& t = TraitsOf(type);
    return t.sizeExtra >= 0 && size > 0 ? size + t.sizeExtra : t.defaultChars;
}
