// TFieldValues: one row as the statement generator and OnApplyUpdates see it. Four parallel
// lists in field order: names (table, full stop, column), values as exact texts, the dataset
// field names (aliases) and null flags ("Y" for NULL, "N" otherwise).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fverr {
inline constexpr const char* kIncorrectFieldNumber = "Incorrect field number";
inline constexpr const char* kIncorrectFieldName = "Incorrect field name";
inline constexpr const char* kInternalError = "TFieldValues internal error";
} // namespace fverr

class TFieldValues {
public:
    std::size_t Count() const { return names_.size(); }
    // Each raises EDatabaseError "Incorrect field number" for an index out of range.
    const std::string& Name(std::size_t i) const;
    const std::string& Value(std::size_t i) const;
    const std::string& Alias(std::size_t i) const;
    bool IsNull(std::size_t i) const;
    // Raises "Incorrect field name" when no entry has that name.
    const std::string& ValueByName(std::string_view name) const;
    // The index of the entry with that name, or -1.
    int IndexOf(std::string_view name) const;

    // Appends one entry; a name already present is ignored.
    void Add(const std::string& name, const std::string& alias, bool isNull,
             const std::string& value);
    void Clear();

private:
    void Check(std::size_t i) const;

    std::vector<std::string> names_, values_, aliases_, nulls_;
};
