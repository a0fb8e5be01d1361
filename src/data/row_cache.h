// The row cache of a dataset: rows in fetch order, each one compact block in a chunked arena.
//
// A row block holds a small header, a null bit per field, one 8-byte cell per field and then the
// bytes of its text values. Numbers and booleans live in their cell; a text value's cell holds the
// offset and length of its bytes inside the block. So a row costs about what its values take, no
// column reserves its declared width, and no value needs a heap allocation of its own.
#pragma once

#include "data/field_value.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

enum class CellKind : std::uint8_t { Int, UInt, Double, Bool, Text };

CellKind CellKindOf(FieldType type, bool isUnsigned);

// Change state of a cached row: as fetched, inserted, appended, deleted, modified.
enum RowState : std::uint8_t {
    rsUnmodified = 0,
    rsInserted = 1,
    rsAppended = 2,
    rsDeleted = 3,
    rsModified = 4,
};

struct CachedRow {
    std::int64_t recNo; // the record number, 1-based: the row's bookmark
    std::int64_t id;    // unique within one open dataset
    std::uint8_t state; // RowState
};

class RowCache {
public:
    RowCache() = default;
    RowCache(const RowCache&) = delete;
    RowCache& operator=(const RowCache&) = delete;

    // Drops every row and sets the kinds of the fields for the rows to come.
    void Reset(std::vector<CellKind> kinds);
    void Clear();

    std::size_t FieldCount() const { return kinds_.size(); }
    std::size_t Count() const { return rows_.size(); }
    CachedRow* Row(std::size_t i) const { return rows_[i]; }
    void Reserve(std::size_t rows) { rows_.reserve(rows); }

    // Converts one row of client texts and appends it. texts/lengths are indexed by result column;
    // columnOfField gives each field's column (-1: the field stays NULL). A null text is NULL.
    CachedRow* AppendFromTexts(const char* const* texts, const unsigned long* lengths,
                               const int* columnOfField, std::int64_t recNo, std::int64_t id);

    // A row block built from values, not yet placed (for posted edits and new rows).
    CachedRow* Build(const std::vector<FieldValue>& values, std::int64_t recNo, std::int64_t id,
                     std::uint8_t state);
    void Append(CachedRow* row) { rows_.push_back(row); }
    void Replace(std::size_t i, CachedRow* row) { rows_[i] = row; }
    void Erase(std::size_t i);
    // Removes, in one pass, every row for which remove(row) is true; answers how many went.
    template <typename Pred> std::size_t EraseIf(Pred remove) {
        const auto end = std::remove_if(rows_.begin(), rows_.end(), remove);
        const auto n = static_cast<std::size_t>(rows_.end() - end);
        rows_.erase(end, rows_.end());
        return n;
    }

    ValueView Value(const CachedRow* row, std::size_t field) const;
    bool IsNull(const CachedRow* row, std::size_t field) const;

    // Bytes held by the arena and the row index.
    std::size_t MemoryBytes() const;

private:
    std::byte* Allocate(std::size_t bytes);
    std::size_t CellsOffset() const { return cellsOffset_; }

    std::vector<CellKind> kinds_;
    std::size_t cellsOffset_ = 0;
    std::vector<CachedRow*> rows_;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::vector<std::size_t> chunkSizes_;
    std::byte* free_ = nullptr;
    std::size_t freeBytes_ = 0;
};
