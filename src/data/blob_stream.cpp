#include "data/blob_stream.h"

#include "data/dataset.h"
#include "data/live_errors.h"

#include <algorithm>
#include <cstring>
#include <new>

TMyBlobStream::TMyBlobStream(TField& field, BlobStreamMode mode) : field_(field), mode_(mode) {
    const DataSetState state = field.DataSet().State();
    const bool editing = state == DataSetState::Edit || state == DataSetState::Insert;
    if (mode != BlobStreamMode::Read && !editing)
        throw EDatabaseError(liveerr::kNotInsertOrEdit);
    if (mode != BlobStreamMode::Write)
        data_ = std::string(field.Value().text);
    if (mode != BlobStreamMode::Read)
        field.DataSet().AddPendingWriter(this);
}

TMyBlobStream::~TMyBlobStream() {
    if (mode_ != BlobStreamMode::Read)
        field_.DataSet().RemovePendingWriter(this);
    try {
        Flush();
    } catch (...) {
        // A destructor cannot report; Flush first to see a failure.
    }
}

std::size_t TMyBlobStream::Read(void* buffer, std::size_t count) {
    if (position_ >= data_.size())
        return 0;
    const std::size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMyBlobStream::Write(const void* buffer, std::size_t count) {
    if (mode_ == BlobStreamMode::Read)
        throw EDatabaseError(liveerr::kNotInsertOrEdit);
    try {
        if (position_ + count > data_.size())
            data_.resize(position_ + count);
    } catch (const std::bad_alloc&) {
        throw EDatabaseError(liveerr::kMemoryAllocation);
    }
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
    written_ = true;
    return count;
}

std::int64_t TMyBlobStream::Seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current)
        base = Position();
    else if (origin == SeekOrigin::End)
        base = Size();
    position_ = static_cast<std::size_t>(std::max<std::int64_t>(base + offset, 0));
    return Position();
}

void TMyBlobStream::Flush() {
    if (!written_)
        return;
    written_ = false;
    FieldValue value;
    value.null = false;
    value.text = data_;
    field_.SetValue(value);
}
