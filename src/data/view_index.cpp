#include "data/view_index.h"

#include <algorithm>

void ViewIndex::Update(std::size_t count, const std::function<bool(std::size_t)>& visible) {
    if (stale_ || count < covered_) {
        stale_ = false;
        identity_ = true;
        covered_ = 0;
        positions_.clear();
    }
    // Each row is counted as looked at once it is answered, so a question that raises leaves the
    // rows before it listed once, and the next update asks again from that row.
    for (std::size_t i = covered_; i < count; covered_ = ++i) {
        const bool shown = visible(i);
        if (identity_ && !shown) {
            // The first hidden row: from here on the visible positions are listed.
            identity_ = false;
            positions_.resize(i);
            for (std::size_t k = 0; k < i; ++k)
                positions_[k] = k;
        } else if (!identity_ && shown) {
            positions_.push_back(i);
        }
    }
}

std::int64_t ViewIndex::PositionOf(std::size_t viewRow) const {
    if (viewRow >= Count())
        return -1;
    return static_cast<std::int64_t>(identity_ ? viewRow : positions_[viewRow]);
}

std::int64_t ViewIndex::ViewRowOf(std::size_t position) const {
    if (position >= covered_)
        return -1;
    if (identity_)
        return static_cast<std::int64_t>(position);
    const auto it = std::lower_bound(positions_.begin(), positions_.end(), position);
    if (it == positions_.end() || *it != position)
        return -1;
    return it - positions_.begin();
}
