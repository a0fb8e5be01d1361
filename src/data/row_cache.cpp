#include "data/row_cache.h"

#include "data/db_error.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <type_traits>

namespace {

constexpr std::size_t kChunkBytes = std::size_t(1) << 20;
constexpr std::size_t kHeaderBytes = kRowHeaderBytes;
static_assert(kHeaderBytes == 18 && sizeof(CachedRow) == 24,
              "the header packs its null bits behind state");

std::size_t Align8(std::size_t n) {
    return (n + 7) & ~std::size_t(7);
}

// The narrowest width that holds every offset of a row's value bytes.
std::uint8_t OffsetBytesFor(std::size_t valueBytes) {
    return valueBytes <= 0xFF ? 1 : valueBytes <= 0xFFFF ? 2 : 4;
}

// Copies len bytes (one to two Words) as a first and a last Word, which may overlap.
template <typename Word> void CopyHeadAndTail(char* to, const char* from, std::size_t len) {
    Word head, tail;
    std::memcpy(&head, from, sizeof(Word));
    std::memcpy(&tail, from + len - sizeof(Word), sizeof(Word));
    std::memcpy(to, &head, sizeof(Word));
    std::memcpy(to + len - sizeof(Word), &tail, sizeof(Word));
}

// Writes the values of a row behind its ends (each an Offset wide) and sets its null bits.
template <typename Offset>
void WriteValues(std::size_t n, const char* const* texts, const unsigned long* lengths,
                 const int* columnOfField, unsigned char* nulls, std::byte* ends, char* values) {
    std::uint32_t end = 0;
    for (std::size_t f = 0; f < n; ++f) {
        const int c = columnOfField[f];
        const char* t = c >= 0 ? texts[c] : nullptr;
        if (!t) {
            nulls[f >> 3] |= static_cast<unsigned char>(1u << (f & 7));
        } else {
            // Numbers keep their text: what the server sent is what statements get back.
            const std::size_t len = lengths[c];
            char* to = values + end;
            // Most values are short, and a call to memcpy costs more than they do.
            if (len > 16) {
                std::memcpy(to, t, len);
            } else if (len >= 8) {
                CopyHeadAndTail<std::uint64_t>(to, t, len);
            } else if (len >= 4) {
                CopyHeadAndTail<std::uint32_t>(to, t, len);
            } else if (len) {
                to[0] = t[0];
                to[len / 2] = t[len / 2];
                to[len - 1] = t[len - 1];
            }
            end += static_cast<std::uint32_t>(len);
        }
        const auto stored = static_cast<Offset>(end);
        std::memcpy(ends + sizeof(Offset) * f, &stored, sizeof(Offset));
    }
}

// Reads the whole text as a number; false (and 0) when it is not one.
template <typename T> bool ParseOr0(const char* p, std::size_t n, T& v) {
    v = 0;
    if (n && *p == '+') {
        ++p;
        --n;
    }
    if constexpr (std::is_integral_v<T>) {
        // Up to 18 digits cannot overflow: read them directly, the rest as the library reads.
        const bool negative = std::is_signed_v<T> && n > 1 && *p == '-';
        const char* d = p + negative;
        const std::size_t digits = n - negative;
        if (digits >= 1 && digits <= 18) {
            T value = 0;
            std::size_t i = 0;
            for (; i < digits && d[i] >= '0' && d[i] <= '9'; ++i)
                value = value * 10 + static_cast<T>(d[i] - '0');
            if (i == digits) {
                v = negative ? static_cast<T>(0 - value) : value;
                return true;
            }
        }
    }
    auto [end, ec] = std::from_chars(p, p + n, v);
    if (ec == std::errc() && end == p + n && v == v) // a NaN is not read as itself
        return true;
    v = 0;
    return false;
}

bool IsTrueText(const char* t, std::size_t n) {
    return n && (t[0] == 'Y' || t[0] == 'y');
}

} // namespace

CellKind CellKindOf(FieldType type, bool isUnsigned) {
    switch (KindOf(type)) {
    case ValueKind::Integer:
        return isUnsigned ? CellKind::UInt : CellKind::Int;
    case ValueKind::Float:
        return CellKind::Double;
    case ValueKind::Boolean:
        return CellKind::Bool;
    default:
        return CellKind::Text;
    }
}

void RowCache::Reset(std::vector<CellKind> kinds) {
    Clear();
    kinds_ = std::move(kinds);
    nullBytes_ = (kinds_.size() + 7) / 8;
}

void RowCache::Clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    count_ = 0;
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

CachedRow* RowCache::MakeBlock(const char* const* texts, const unsigned long* lengths,
                               const int* columnOfField, std::int64_t recNo, std::int64_t id) {
    const std::size_t n = kinds_.size();
    std::size_t valueBytes = 0;
    for (std::size_t f = 0; f < n; ++f) {
        const int c = columnOfField[f];
        if (c >= 0 && texts[c])
            valueBytes += lengths[c];
    }
    // A row from the server is below the protocol's packet limit of 1 GiB, so its offsets fit.
    if (valueBytes > std::numeric_limits<std::uint32_t>::max())
        throw EDatabaseError("Row too large for the row cache");
    const std::uint8_t width = OffsetBytesFor(valueBytes);
    const std::size_t valuesAt = kHeaderBytes + nullBytes_ + width * n;
    std::byte* block = Allocate(valuesAt + valueBytes);
    auto* row = reinterpret_cast<CachedRow*>(block);
    row->recNo = recNo;
    row->id = id;
    row->state = rsUnmodified;
    row->offsetBytes = width;
    auto* nulls = reinterpret_cast<unsigned char*>(block + kHeaderBytes);
    if (nullBytes_ == 1)
        *nulls = 0;
    else
        std::memset(nulls, 0, nullBytes_);
    std::byte* ends = block + kHeaderBytes + nullBytes_;
    auto* values = reinterpret_cast<char*>(block + valuesAt);
    if (width == 1)
        WriteValues<std::uint8_t>(n, texts, lengths, columnOfField, nulls, ends, values);
    else if (width == 2)
        WriteValues<std::uint16_t>(n, texts, lengths, columnOfField, nulls, ends, values);
    else
        WriteValues<std::uint32_t>(n, texts, lengths, columnOfField, nulls, ends, values);
    return row;
}

CachedRow* RowCache::AppendFromTexts(const char* const* texts, const unsigned long* lengths,
                                     const int* columnOfField, std::int64_t recNo,
                                     std::int64_t id) {
    CachedRow* row = MakeBlock(texts, lengths, columnOfField, recNo, id);
    Append(row);
    return row;
}

CachedRow* RowCache::BuildFromTexts(const char* const* texts, const unsigned long* lengths,
                                    const int* columnOfField, std::int64_t recNo, std::int64_t id,
                                    std::uint8_t state) {
    CachedRow* row = MakeBlock(texts, lengths, columnOfField, recNo, id);
    row->state = state;
    return row;
}

void RowCache::Append(CachedRow* row) {
    if (count_ == rows_.size())
        rows_.push_back(row);
    else
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(count_), row);
    ++count_;
}

void RowCache::AppendWaiting(const char* const* texts, const unsigned long* lengths,
                             const int* columnOfField) {
    rows_.push_back(MakeBlock(texts, lengths, columnOfField, 0, 0));
}

void RowCache::HandOverWaiting(RowBatch& batch, bool all) {
    batch.rows.insert(batch.rows.end(), rows_.begin() + static_cast<std::ptrdiff_t>(count_),
                      rows_.end());
    rows_.resize(count_);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < chunks_.size(); ++i) {
        std::byte* begin = chunks_[i].get();
        // The chunk rows are still written into stays, unless everything goes.
        if (!all && free_ && free_ >= begin && free_ <= begin + chunkSizes_[i]) {
            chunks_[kept] = std::move(chunks_[i]);
            chunkSizes_[kept] = chunkSizes_[i];
            ++kept;
            continue;
        }
        batch.chunks.push_back(std::move(chunks_[i]));
        batch.chunkSizes.push_back(chunkSizes_[i]);
    }
    chunks_.resize(kept);
    chunkSizes_.resize(kept);
    if (all) {
        free_ = nullptr;
        freeBytes_ = 0;
    }
}

void RowCache::AdoptWaiting(RowBatch& batch) {
    rows_.insert(rows_.end(), batch.rows.begin(), batch.rows.end());
    for (std::size_t i = 0; i < batch.chunks.size(); ++i) {
        chunks_.push_back(std::move(batch.chunks[i]));
        chunkSizes_.push_back(batch.chunkSizes[i]);
    }
    batch.rows.clear();
    batch.chunks.clear();
    batch.chunkSizes.clear();
}

bool RowCache::TakeWaiting(std::int64_t recNo, std::int64_t id) {
    if (count_ >= rows_.size())
        return false;
    rows_[count_]->recNo = recNo;
    rows_[count_]->id = id;
    ++count_;
    return true;
}

CachedRow* RowCache::Build(const std::vector<FieldValue>& values, std::int64_t recNo,
                           std::int64_t id, std::uint8_t state) {
    const std::size_t n = kinds_.size();
    std::vector<std::string> owned(n);
    std::vector<const char*> texts(n, nullptr);
    std::vector<unsigned long> lengths(n, 0);
    std::vector<int> columns(n);
    for (std::size_t f = 0; f < n; ++f) {
        columns[f] = static_cast<int>(f);
        if (f >= values.size() || values[f].null)
            continue;
        switch (kinds_[f]) {
        case CellKind::Int:
        case CellKind::UInt:
            owned[f] = ExactText(FieldType::Integer, kinds_[f] == CellKind::UInt, values[f].View());
            break;
        case CellKind::Double:
            owned[f] = ExactText(FieldType::Float, false, values[f].View());
            break;
        case CellKind::Bool:
            owned[f].assign(1, values[f].i ? 'Y' : 'N');
            break;
        case CellKind::Text:
            owned[f] = values[f].text;
            break;
        }
        texts[f] = owned[f].data();
        lengths[f] = static_cast<unsigned long>(owned[f].size());
    }
    CachedRow* row = MakeBlock(texts.data(), lengths.data(), columns.data(), recNo, id);
    row->state = state;
    return row;
}

void RowCache::Erase(std::size_t i) {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
    --count_;
}

void RowCache::ErasePositions(const std::vector<std::size_t>& positions) {
    if (positions.empty())
        return;
    // Every row after a removed one moves up, the waiting rows behind the cached ones too.
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
    count_ -= positions.size();
}

ValueView RowCache::CellValue(std::size_t field, const char* text, std::size_t length) const {
    ValueView v;
    v.null = false;
    switch (kinds_[field]) {
    case CellKind::Int:
        v.textExact = ParseOr0(text, length, v.i);
        break;
    case CellKind::UInt: {
        std::uint64_t u = 0;
        v.textExact = ParseOr0(text, length, u);
        v.i = static_cast<std::int64_t>(u);
        break;
    }
    case CellKind::Double:
        v.textExact = ParseOr0(text, length, v.d);
        break;
    case CellKind::Bool:
        v.i = IsTrueText(text, length);
        return v;
    case CellKind::Text:
        break;
    }
    v.text = std::string_view(text, length);
    return v;
}

ValueView RowCache::Value(const CachedRow* row, std::size_t field) const {
    std::string_view text;
    if (!StoredText(row, field, text))
        return {};
    return CellValue(field, text.data(), text.size());
}

std::size_t RowCache::MemoryBytes() const {
    std::size_t total = rows_.capacity() * sizeof(CachedRow*);
    for (std::size_t s : chunkSizes_)
        total += s;
    return total;
}
