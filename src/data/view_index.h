// The visible positions of a row cache, for views. While every row is visible the index is the
// identity and holds nothing; once a row is hidden it lists the cache positions of the visible
// rows in order. It is rebuilt lazily: changes that may hide or show rows only mark it stale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class ViewIndex {
public:
    // Rows may have changed visibility, or rows were removed: look at every row again.
    void Invalidate() { stale_ = true; }
    // Brings the index up to a cache of `count` rows; rows not looked at yet are asked about.
    void Update(std::size_t count, const std::function<bool(std::size_t)>& visible);

    std::size_t Count() const { return identity_ ? covered_ : positions_.size(); }
    // The cache position of a view row (0-based), or -1.
    std::int64_t PositionOf(std::size_t viewRow) const;
    // The view row (0-based) of a cache position, or -1 when it is hidden or not looked at.
    std::int64_t ViewRowOf(std::size_t position) const;

private:
    bool stale_ = true;
    bool identity_ = true;
    std::size_t covered_ = 0; // cache rows looked at
    std::vector<std::size_t> positions_;
};
