// The row cache of a dataset: rows in fetch order, each one compact block in a chunked arena.
//
// A row block is the row as the server sent it: a small header, a null bit per field, the end of
// each field's bytes (one, two or four bytes an offset, as the row's size needs) and then the
// bytes of its values one after the other. Numbers keep the exact text the server sent and are
// read from it when asked for. A row costs about what its values take, no column reserves its
// declared width, and no value needs a heap allocation of its own.
//
// Rows read from the server before anyone asks for them (a whole result read at open) wait in the
// same arena as blocks of their own, behind the cached rows: taking one into the cache is no
// copy, so every row is held once.
#pragma once

#include "data/field_value.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
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

// The header of a row block; the null bits, the ends of the values and the values follow it from
// packed on.
struct CachedRow {
    std::int64_t recNo;       // the record number, 1-based: the row's bookmark
    std::int64_t id;          // unique within one open dataset
    std::uint8_t state;       // RowState
    std::uint8_t offsetBytes; // 1, 2 or 4: the width of each value's end
    std::uint8_t packed[6];
};

// The bytes of the header before the null bits.
inline constexpr std::size_t kRowHeaderBytes = offsetof(CachedRow, packed);

// What the cache answers for a row: its record number, identifier and state (read them through ->
// as from a CachedRow), and where its values are.
struct RowRef {
    std::int64_t recNo = 0;
    std::int64_t id = 0;
    std::uint8_t state = rsUnmodified;
    const CachedRow* block = nullptr;
    const RowRef* operator->() const { return this; }
};

// Rows converted by another row cache (a reader's on another thread) with the memory that holds
// them, on their way into the dataset's cache.
struct RowBatch {
    std::vector<CachedRow*> rows;
    std::vector<std::unique_ptr<std::byte[]>> chunks;
    std::vector<std::size_t> chunkSizes;
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
    const std::vector<CellKind>& Kinds() const { return kinds_; }
    // The cached rows (those waiting behind them not counted).
    std::size_t Count() const { return count_; }
    RowRef Row(std::size_t i) const { return Ref(rows_[i]); }
    void Reserve(std::size_t rows) { rows_.reserve(rows); }

    // Converts one row of client texts and appends it. texts/lengths are indexed by result column;
    // columnOfField gives each field's column (-1: the field stays NULL). A null text is NULL.
    CachedRow* AppendFromTexts(const char* const* texts, const unsigned long* lengths,
                               const int* columnOfField, std::int64_t recNo, std::int64_t id);

    // Converts a row read ahead and keeps it waiting behind the cached rows.
    void AppendWaiting(const char* const* texts, const unsigned long* lengths,
                       const int* columnOfField);
    std::size_t WaitingCount() const { return rows_.size() - count_; }
    // Takes the first waiting row into the cache with its record number and identifier; false
    // when none waits.
    bool TakeWaiting(std::int64_t recNo, std::int64_t id);
    // Moves the waiting rows into batch (behind its rows), with the chunks that no later row will
    // be written into; with `all` every chunk goes, and the next row starts a fresh one. The rows
    // of a chunk kept here stay valid as long as this cache holds it.
    void HandOverWaiting(RowBatch& batch, bool all);
    // Places the rows of a batch behind the waiting rows and takes over its chunks; the batch is
    // left empty.
    void AdoptWaiting(RowBatch& batch);
    // Any row, cached or waiting: 0 .. Count() + WaitingCount() - 1.
    RowRef AnyRow(std::size_t i) const { return Ref(rows_[i]); }

    // A row block built from values, not yet placed (for posted edits and new rows).
    CachedRow* Build(const std::vector<FieldValue>& values, std::int64_t recNo, std::int64_t id,
                     std::uint8_t state);
    // A row block converted from client texts (as AppendFromTexts), not yet placed (for rows
    // read back after a write).
    CachedRow* BuildFromTexts(const char* const* texts, const unsigned long* lengths,
                              const int* columnOfField, std::int64_t recNo, std::int64_t id,
                              std::uint8_t state);
    // Places a block after the cached rows (ahead of any waiting ones).
    void Append(CachedRow* row);
    void Replace(std::size_t i, CachedRow* row) { rows_[i] = row; }
    void Erase(std::size_t i);
    void SetState(std::size_t i, std::uint8_t state) { rows_[i]->state = state; }
    // The block of a cached row, to put back with Replace.
    CachedRow* Block(std::size_t i) const { return rows_[i]; }
    // Removes the cached rows at the given positions (ascending, no repeats) in one pass over the
    // row index, without looking at the rows themselves.
    void ErasePositions(const std::vector<std::size_t>& positions);

    ValueView Value(const RowRef& row, std::size_t field) const { return Value(row.block, field); }
    ValueView Value(const CachedRow* row, std::size_t field) const;
    // The bytes of a value as the server sent them, numbers unread; false for NULL (and for a
    // field or row that does not exist).
    bool StoredText(const CachedRow* row, std::size_t field, std::string_view& text) const;
    bool IsNull(const RowRef& row, std::size_t field) const { return Value(row, field).null; }

    // Bytes held by the arena and the row index.
    std::size_t MemoryBytes() const;

private:
    static RowRef Ref(const CachedRow* row) { return {row->recNo, row->id, row->state, row}; }
    std::byte* Allocate(std::size_t bytes);
    CachedRow* MakeBlock(const char* const* texts, const unsigned long* lengths,
                         const int* columnOfField, std::int64_t recNo, std::int64_t id);
    ValueView CellValue(std::size_t field, const char* text, std::size_t length) const;

    std::vector<CellKind> kinds_;
    std::size_t nullBytes_ = 0;
    std::vector<CachedRow*> rows_; // the cached rows, then the waiting ones
    std::size_t count_ = 0;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::vector<std::size_t> chunkSizes_;
    std::byte* free_ = nullptr;
    std::size_t freeBytes_ = 0;
};

// Read for every field shown, so defined here where the callers can inline it.
inline bool RowCache::StoredText(const CachedRow* row, std::size_t field,
                                 std::string_view& text) const {
    if (!row || field >= kinds_.size())
        return false;
    const auto* block = reinterpret_cast<const std::byte*>(row);
    const auto* nulls = reinterpret_cast<const unsigned char*>(block + kRowHeaderBytes);
    if ((nulls[field >> 3] >> (field & 7)) & 1u)
        return false;
    const std::uint8_t width = row->offsetBytes;
    const std::byte* ends = block + kRowHeaderBytes + nullBytes_;
    const auto* values = reinterpret_cast<const char*>(ends + width * kinds_.size());
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    if (width == 1) {
        const auto* e = reinterpret_cast<const std::uint8_t*>(ends);
        begin = field ? e[field - 1] : 0;
        end = e[field];
    } else if (width == 2) {
        std::uint16_t b = 0;
        std::uint16_t e = 0;
        if (field)
            std::memcpy(&b, ends + 2 * (field - 1), 2);
        std::memcpy(&e, ends + 2 * field, 2);
        begin = b;
        end = e;
    } else {
        if (field)
            std::memcpy(&begin, ends + 4 * (field - 1), 4);
        std::memcpy(&end, ends + 4 * field, 4);
    }
    text = std::string_view(values + begin, end - begin);
    return true;
}
