// TMyBlobStream: a stream over one blob or memo field of the dataset's current row. Reading
// copies from the value; writing works on a copy of its own, so the cached row is never written
// through, and the stream hands the written value to the field when it is destroyed (or flushed),
// which marks the field modified and tells the views.
#pragma once

#include "data/dataset.h"

#include <cstddef>
#include <cstdint>
#include <string>

enum class BlobStreamMode { Read, Write, ReadWrite };
enum class SeekOrigin { Beginning, Current, End };

class TMyBlobStream : public PendingFieldWriter {
public:
    // Write and read-write modes need the dataset editing or inserting ("Not in Insert or Edit
    // mode"); write mode starts with an empty value.
    TMyBlobStream(TField& field, BlobStreamMode mode);
    ~TMyBlobStream() override;
    TMyBlobStream(const TMyBlobStream&) = delete;
    TMyBlobStream& operator=(const TMyBlobStream&) = delete;

    // Copies at most `count` bytes from the position on; answers how many.
    std::size_t Read(void* buffer, std::size_t count);
    // Writes at the position, growing the value as needed; answers `count`.
    std::size_t Write(const void* buffer, std::size_t count);
    // Answers the new position (never before the beginning).
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin);
    std::int64_t Position() const { return static_cast<std::int64_t>(position_); }
    std::int64_t Size() const { return static_cast<std::int64_t>(data_.size()); }
    // Hands a written value to the field now (Post of the dataset does so too).
    void Flush() override;

private:
    TField& field_;
    BlobStreamMode mode_;
    std::string data_;
    std::size_t position_ = 0;
    bool written_ = false;
};
