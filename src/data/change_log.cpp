#include "data/change_log.h"

#include <algorithm>

ChangeEntry* ChangeLog::Find(std::int64_t id) {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &entries_[it->second];
}

ChangeEntry& ChangeLog::Append(ChangeEntry entry) {
    byId_[entry.id] = entries_.size();
    entries_.push_back(std::move(entry));
    return entries_.back();
}

void ChangeLog::Remove(std::int64_t id) {
    const auto it = byId_.find(id);
    if (it == byId_.end())
        return;
    const std::size_t at = it->second;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    byId_.erase(it);
    for (auto& [key, index] : byId_)
        if (index > at)
            --index;
}

void ChangeLog::Clear() {
    entries_.clear();
    byId_.clear();
}

bool ChangeLog::Pending() const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [](const ChangeEntry& e) { return e.state != 0; });
}
