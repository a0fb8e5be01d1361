// The row cache of a dataset: rows in fetch order, in one of two forms.
//
// A converted row is one compact block in a chunked arena: a small header, a null bit per field,
// one 8-byte cell per field and then the bytes of its text values. Booleans live in their cell;
// every other value's cell holds the offset and length of its bytes inside the block, so numbers
// keep the exact text the server sent. A row costs about what its values take, no column reserves
// its declared width, and no value needs a heap allocation of its own.
//
// A stored row is a row of a result held by the client library (mysql_store_result) that has not
// been changed: the cache keeps only where it lies in that result and reads its values from there
// when asked, so that the rows are not held twice. Editing, inserting or deleting makes rows of
// the first form.
#pragma once

#include "data/client_library.h"
#include "data/field_value.h"

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

// The header of a converted row block.
struct CachedRow {
    std::int64_t recNo; // the record number, 1-based: the row's bookmark
    std::int64_t id;    // unique within one open dataset
    std::uint8_t state; // RowState
};

// What the cache answers for a row of either form: its record number, identifier and state
// (read them through -> as from a CachedRow), and where its values are.
struct RowRef {
    std::int64_t recNo = 0;
    std::int64_t id = 0;
    std::uint8_t state = rsUnmodified;
    std::uintptr_t slot = 0;
    const RowRef* operator->() const { return this; }
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
    RowRef Row(std::size_t i) const;
    void Reserve(std::size_t rows) { rows_.reserve(rows); }

    // Converts one row of client texts and appends it. texts/lengths are indexed by result column;
    // columnOfField gives each field's column (-1: the field stays NULL). A null text is NULL.
    CachedRow* AppendFromTexts(const char* const* texts, const unsigned long* lengths,
                               const int* columnOfField, std::int64_t recNo, std::int64_t id);

    // Serves unchanged rows from a stored result that outlives them in the cache (until Clear or
    // Reset): columnOfField as for AppendFromTexts, expectedRows to reserve room.
    void UseStoredResult(MYSQL_RES* result, std::vector<int> columnOfField,
                         std::size_t expectedRows);
    // Appends the stored row at offset (mysql_row_tell before it was fetched). False when it
    // cannot be kept in this form (numbers beyond the compact range): then convert it instead.
    bool AppendStored(MYSQL_ROW_OFFSET offset, std::int64_t recNo, std::int64_t id);

    // A row block built from values, not yet placed (for posted edits and new rows).
    CachedRow* Build(const std::vector<FieldValue>& values, std::int64_t recNo, std::int64_t id,
                     std::uint8_t state);
    void Append(CachedRow* row) { rows_.push_back(Slot(row)); }
    void Replace(std::size_t i, CachedRow* row) { rows_[i] = Slot(row); }
    void Erase(std::size_t i);
    // Changes the state of row i (a stored row becomes a converted one).
    void SetState(std::size_t i, std::uint8_t state);

    ValueView Value(const RowRef& row, std::size_t field) const;
    ValueView Value(const CachedRow* row, std::size_t field) const;
    bool IsNull(const RowRef& row, std::size_t field) const { return Value(row, field).null; }

    // Bytes held by the arena and the row index (not the stored result itself).
    std::size_t MemoryBytes() const;

private:
    static std::uintptr_t Slot(CachedRow* row) { return reinterpret_cast<std::uintptr_t>(row); }
    std::byte* Allocate(std::size_t bytes);
    // The texts and lengths of a stored row, by result column.
    MYSQL_ROW StoredRow(std::uintptr_t slot, const unsigned long*& lengths) const;
    CachedRow* MakeBlock(const char* const* texts, const unsigned long* lengths,
                         const int* columnOfField, std::int64_t recNo, std::int64_t id);
    CachedRow* Convert(std::uintptr_t slot);
    ValueView CellValue(std::size_t field, const char* text, std::size_t length) const;

    std::vector<CellKind> kinds_;
    std::size_t cellsOffset_ = 0;
    std::vector<std::uintptr_t> rows_; // a CachedRow*, or (record number, stored index, 1)
    std::vector<MYSQL_ROW_OFFSET> stored_;
    MYSQL_RES* storedResult_ = nullptr;
    std::vector<int> storedColumns_;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::vector<std::size_t> chunkSizes_;
    std::byte* free_ = nullptr;
    std::size_t freeBytes_ = 0;
};
