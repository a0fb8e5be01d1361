#include "data/row_cache.h"

#include "data/db_error.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kChunkBytes = std::size_t(1) << 20;
constexpr std::size_t kHeaderBytes = (sizeof(CachedRow) + 7) & ~std::size_t(7);

std::size_t Align8(std::size_t n) {
    return (n + 7) & ~std::size_t(7);
}

struct TextCell {
    std::uint32_t offset;
    std::uint32_t length;
};
static_assert(sizeof(TextCell) == 8);

template <typename T> T ParseOr0(const char* p, std::size_t n) {
    T v = 0;
    if (n && *p == '+') {
        ++p;
        --n;
    }
    auto [end, ec] = std::from_chars(p, p + n, v);
    return ec == std::errc() && end == p + n ? v : T{0};
}

} // namespace

CellKind CellKindOf(FieldType type, bool isUnsigned) {
    switch (type) {
    case FieldType::Integer:
        return isUnsigned ? CellKind::UInt : CellKind::Int;
    case FieldType::Float:
        return CellKind::Double;
    case FieldType::Boolean:
        return CellKind::Bool;
    default:
        return CellKind::Text;
    }
}

void RowCache::Reset(std::vector<CellKind> kinds) {
    Clear();
    kinds_ = std::move(kinds);
    cellsOffset_ = kHeaderBytes + Align8((kinds_.size() + 7) / 8);
}

void RowCache::Clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    chunks_.clear();
    chunkSizes_.clear();
    free_ = nullptr;
    freeBytes_ = 0;
}

std::byte* RowCache::Allocate(std::size_t bytes) {
    bytes = Align8(bytes);
    if (bytes > freeBytes_) {
        // A big row gets a chunk of its own so the rest of the current chunk is not wasted.
        const bool own = bytes > kChunkBytes / 4;
        const std::size_t size = own ? bytes : kChunkBytes;
        chunks_.emplace_back(new std::byte[size]);
        chunkSizes_.push_back(size);
        if (own)
            return chunks_.back().get();
        free_ = chunks_.back().get();
        freeBytes_ = size;
    }
    std::byte* p = free_;
    free_ += bytes;
    freeBytes_ -= bytes;
    return p;
}

CachedRow* RowCache::AppendFromTexts(const char* const* texts, const unsigned long* lengths,
                                     const int* columnOfField, std::int64_t recNo,
                                     std::int64_t id) {
    const std::size_t n = kinds_.size();
    std::size_t textBytes = 0;
    for (std::size_t f = 0; f < n; ++f) {
        const int c = columnOfField[f];
        if (c >= 0 && kinds_[f] == CellKind::Text && texts[c])
            textBytes += lengths[c];
    }
    const std::size_t textStart = cellsOffset_ + 8 * n;
    // A row from the server is below the protocol's packet limit of 1 GiB, so its offsets fit.
    if (textStart + textBytes > std::numeric_limits<std::uint32_t>::max())
        throw EDatabaseError("Row too large for the row cache");
    std::byte* block = Allocate(textStart + textBytes);
    auto* row = reinterpret_cast<CachedRow*>(block);
    row->recNo = recNo;
    row->id = id;
    row->state = rsUnmodified;
    auto* nulls = reinterpret_cast<unsigned char*>(block + kHeaderBytes);
    std::memset(nulls, 0, cellsOffset_ - kHeaderBytes);
    std::byte* cells = block + cellsOffset_;
    std::size_t textAt = textStart;
    for (std::size_t f = 0; f < n; ++f) {
        const int c = columnOfField[f];
        std::byte* cell = cells + 8 * f;
        const char* t = c >= 0 ? texts[c] : nullptr;
        if (!t) {
            nulls[f >> 3] |= static_cast<unsigned char>(1u << (f & 7));
            std::memset(cell, 0, 8);
            continue;
        }
        const std::size_t len = lengths[c];
        switch (kinds_[f]) {
        case CellKind::Int: {
            const auto v = ParseOr0<std::int64_t>(t, len);
            std::memcpy(cell, &v, 8);
            break;
        }
        case CellKind::UInt: {
            const auto v = ParseOr0<std::uint64_t>(t, len);
            std::memcpy(cell, &v, 8);
            break;
        }
        case CellKind::Double: {
            const auto v = ParseOr0<double>(t, len);
            std::memcpy(cell, &v, 8);
            break;
        }
        case CellKind::Bool: {
            const std::int64_t v = len && (t[0] == 'Y' || t[0] == 'y');
            std::memcpy(cell, &v, 8);
            break;
        }
        case CellKind::Text: {
            const TextCell tc{static_cast<std::uint32_t>(textAt), static_cast<std::uint32_t>(len)};
            std::memcpy(cell, &tc, 8);
            std::memcpy(block + textAt, t, len);
            textAt += len;
            break;
        }
        }
    }
    rows_.push_back(row);
    return row;
}

CachedRow* RowCache::Build(const std::vector<FieldValue>& values, std::int64_t recNo,
                           std::int64_t id, std::uint8_t state) {
    const std::size_t n = kinds_.size();
    std::vector<const char*> texts(n);
    std::vector<unsigned long> lengths(n);
    std::vector<int> columns(n);
    for (std::size_t f = 0; f < n; ++f) {
        columns[f] = static_cast<int>(f);
        texts[f] = nullptr;
        if (f < values.size() && !values[f].null && kinds_[f] == CellKind::Text) {
            texts[f] = values[f].text.data();
            lengths[f] = static_cast<unsigned long>(values[f].text.size());
        } else if (f < values.size() && !values[f].null) {
            texts[f] = ""; // a placeholder: the cell is written below
        }
    }
    std::vector<CachedRow*> keep;
    keep.swap(rows_);
    CachedRow* row = nullptr;
    try {
        row = AppendFromTexts(texts.data(), lengths.data(), columns.data(), recNo, id);
    } catch (...) {
        rows_.swap(keep);
        throw;
    }
    rows_.swap(keep);
    row->state = state;
    std::byte* cells = reinterpret_cast<std::byte*>(row) + cellsOffset_;
    for (std::size_t f = 0; f < n && f < values.size(); ++f) {
        if (values[f].null || kinds_[f] == CellKind::Text)
            continue;
        if (kinds_[f] == CellKind::Double)
            std::memcpy(cells + 8 * f, &values[f].d, 8);
        else
            std::memcpy(cells + 8 * f, &values[f].i, 8);
    }
    return row;
}

void RowCache::Erase(std::size_t i) {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
}

void RowCache::ErasePositions(const std::vector<std::size_t>& positions) {
    if (positions.empty())
        return;
    std::size_t to = positions.front();
    for (std::size_t k = 0; k < positions.size(); ++k) {
        const std::size_t from = positions[k] + 1;
        const std::size_t end = k + 1 < positions.size() ? positions[k + 1] : rows_.size();
        std::copy(rows_.begin() + static_cast<std::ptrdiff_t>(from),
                  rows_.begin() + static_cast<std::ptrdiff_t>(end),
                  rows_.begin() + static_cast<std::ptrdiff_t>(to));
        to += end - from;
    }
    rows_.resize(to);
}

bool RowCache::IsNull(const CachedRow* row, std::size_t field) const {
    const auto* nulls = reinterpret_cast<const unsigned char*>(row) + kHeaderBytes;
    return (nulls[field >> 3] >> (field & 7)) & 1u;
}

ValueView RowCache::Value(const CachedRow* row, std::size_t field) const {
    ValueView v;
    if (!row || field >= kinds_.size() || IsNull(row, field))
        return v;
    v.null = false;
    const std::byte* block = reinterpret_cast<const std::byte*>(row);
    const std::byte* cell = block + cellsOffset_ + 8 * field;
    switch (kinds_[field]) {
    case CellKind::Double:
        std::memcpy(&v.d, cell, 8);
        break;
    case CellKind::Text: {
        TextCell tc;
        std::memcpy(&tc, cell, 8);
        v.text = std::string_view(reinterpret_cast<const char*>(block + tc.offset), tc.length);
        break;
    }
    default:
        std::memcpy(&v.i, cell, 8);
        break;
    }
    return v;
}

std::size_t RowCache::MemoryBytes() const {
    std::size_t total = rows_.capacity() * sizeof(CachedRow*);
    for (std::size_t s : chunkSizes_)
        total += s;
    return total;
}
