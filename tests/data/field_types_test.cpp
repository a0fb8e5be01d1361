// The field-type table: every type's row is consistent with how its values are read and shown.
#include "data/field_value.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(FieldTypes, EveryRowAgreesWithItsValues) {
    std::set<std::string> names;
    for (int i = 0; i <= static_cast<int>(kLastFieldType); ++i) {
        const auto type = static_cast<FieldType>(i);
        const FieldTypeTraits& t = TraitsOf(type);
        SCOPED_TRACE(t.name);
        EXPECT_EQ(t.type, type);
        EXPECT_TRUE(names.insert(t.name).second) << "names are unique";

        // A zero value reads back as itself, so a key column's default is written as stated.
        const std::string zero = t.zeroText;
        if (!zero.empty()) {
            const FieldValue v = ValueFromText(type, false, zero);
            EXPECT_FALSE(v.null);
            EXPECT_EQ(ExactText(type, false, v.View()), zero);
        }

        // Numbers line up on the right; what is held as a binary number is not text.
        const bool number = t.kind == ValueKind::Integer || t.kind == ValueKind::Float ||
                            t.kind == ValueKind::Decimal;
        EXPECT_EQ(t.alignment == FieldAlignment::Right, number);
        EXPECT_EQ(IsBinaryNumberType(type), number && t.kind != ValueKind::Decimal);
        EXPECT_EQ(IsTextType(type), !IsBinaryNumberType(type) && t.kind != ValueKind::Boolean);
        EXPECT_GT(DisplayChars(type, 0), 0);
    }
}

} // namespace
