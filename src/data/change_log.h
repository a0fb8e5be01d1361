// The change log of a dataset with cached updates: at most one entry per changed row, in the order
// of each row's first change, holding the row's values before that change (for a new row, the new
// values) and the row's change state.
#pragma once

#include "data/field_value.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

struct ChangeEntry {
    std::int64_t id = 0;    // the cached row's Id
    std::uint8_t state = 0; // RowState; 0 once applied
    std::vector<FieldValue> values;
};

class ChangeLog {
public:
    std::size_t Count() const { return entries_.size(); }
    ChangeEntry& operator[](std::size_t i) { return entries_[i]; }
    const ChangeEntry& operator[](std::size_t i) const { return entries_[i]; }
    ChangeEntry* Find(std::int64_t id);
    ChangeEntry& Append(ChangeEntry entry);
    void Remove(std::int64_t id);
    void Clear();
    // True while some entry is not applied yet.
    bool Pending() const;

private:
    std::vector<ChangeEntry> entries_;
    std::unordered_map<std::int64_t, std::size_t> byId_;
};
