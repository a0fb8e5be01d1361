#include "data/dir_query.h"

#include "data/blocking_calls.h"
#include "data/statement_results.h"
#include "data/text_utils.h"

#include <algorithm>

void TDirQuery::Close() {
    Active = false;
    Failed = false;
    RecNo = 0;
    Bof = true;
    Eof = true;
}

void TDirQuery::First() {
    RecNo = 0;
    Bof = Eof = GetRecordCount() == 0;
}

void TDirQuery::Last() {
    const std::int64_t count = GetRecordCount();
    RecNo = count > 0 ? count - 1 : 0;
    Bof = Eof = count == 0;
}

void TDirQuery::Prev() {
    const std::int64_t count = GetRecordCount();
    Eof = false;
    if (RecNo > 0) {
        --RecNo;
        Bof = false;
    } else {
        Bof = true;
    }
    if (count == 0)
        Bof = Eof = true;
}

void TDirQuery::Next() {
    const std::int64_t count = GetRecordCount();
    Bof = false;
    if (RecNo < count - 1) {
        ++RecNo;
        Eof = false;
    } else {
        Eof = true;
    }
    if (count == 0)
        Bof = Eof = true;
}

void TDirQuery::MoveTo(std::int64_t n) {
    const std::int64_t count = GetRecordCount();
    RecNo = count == 0 ? 0 : std::clamp<std::int64_t>(n, 0, count - 1);
    Bof = false;
    Eof = RecNo >= count;
}

MYSQL* TDirMySqlQuery::Handle() const {
    return Connect ? static_cast<TDirMySQLConnect*>(Connect)->Handle() : nullptr;
}

int TDirMySqlQuery::ExecSql() {
    result_.reset();
    row_ = nullptr;
    MYSQL* h = Handle();
    if (!h)
        return dsNone;
    bool ran = false;
    if (RunBlockingCall(h, [&] { ran = RunAndDrain(h, Sql); }) && ran) {
        Failed = false;
        return dsNone;
    }
    Failed = true;
    return dsError;
}

void TDirMySqlQuery::Open() {
    MYSQL* h = Handle();
    if (!h || Active)
        return;
    row_ = nullptr;
    lengths_.clear();
    readFailed_ = false;
    ranWithoutResult_ = false;
    affectedRows_ = 0;
    names_.clear();
    // The statement, its first result and its first row are read in one call beside the window.
    if (!RunBlockingCall(h, [&] { OpenHere(h); }))
        DropStoppedResult(h);
    First();
}

// A stopped statement leaves nothing behind: what it read is dropped, the connection made ready
// for the next statement.
void TDirMySqlQuery::DropStoppedResult(MYSQL* h) {
    result_.reset();
    if (moreResultsPending_)
        DrainMoreResults(h);
    moreResultsPending_ = false;
    ranWithoutResult_ = false;
    affectedRows_ = 0;
    row_ = nullptr;
    lengths_.clear();
    names_.clear();
    Active = false;
    Failed = true;
}

void TDirMySqlQuery::OpenHere(MYSQL* h) {
    const ClientApi& c = Client();
    if (SendStatement(h, Sql) != 0) {
        Failed = true;
    } else {
        result_.reset(storeResult_ ? c.mysql_store_result(h) : c.mysql_use_result(h));
        // A stored result no longer needs the connection: the results after it (a CALL answers
        // more than one) are read now, and one that failed fails the whole statement. A streamed
        // result is followed by them once its last row has been read.
        if ((storeResult_ || !result_) && !DrainMoreResults(h))
            result_.reset();
        moreResultsPending_ = !storeResult_ && result_ != nullptr;
        if (result_ && c.mysql_num_fields(result_.get()) > 0) {
            // Repeated column names get "_" and the number of earlier columns of that name.
            const unsigned n = c.mysql_num_fields(result_.get());
            const MYSQL_FIELD* fields = c.mysql_fetch_fields(result_.get());
            names_.reserve(n);
            for (unsigned i = 0; i < n; ++i) {
                std::string name(fields[i].name ? fields[i].name : "", fields[i].name_length);
                int same = 0;
                for (unsigned j = 0; j < i; ++j)
                    if (std::string_view(fields[j].name, fields[j].name_length) == name)
                        ++same;
                names_.push_back(same ? name + "_" + std::to_string(same) : name);
            }
            FetchNext();
            Active = true;
            Failed = false;
        } else {
            // No result: either the statement has none (the server answers a field count of 0)
            // or taking it failed.
            const bool noColumns =
                c.mysql_field_count ? c.mysql_field_count(h) == 0 : ClientErrorNumber(h) == 0;
            if (!result_ && noColumns && ClientErrorNumber(h) == 0) {
                ranWithoutResult_ = true;
                const my_ulonglong affected = c.mysql_affected_rows(h);
                affectedRows_ = affected == static_cast<my_ulonglong>(-1) ? 0 : affected;
            }
            result_.reset();
            Failed = true;
        }
    }
}

// Reads the next row of the result and takes its lengths while they are the current row's.
void TDirMySqlQuery::FetchRow() {
    const ClientApi& c = Client();
    row_ = c.mysql_fetch_row(result_.get());
    if (!row_) {
        lengths_.clear();
        return;
    }
    const unsigned long* lengths = c.mysql_fetch_lengths(result_.get());
    lengths_.resize(c.mysql_num_fields(result_.get()));
    std::copy_n(lengths, lengths_.size(), lengths_.data());
}

void TDirMySqlQuery::FetchNext() {
    FetchRow();
    if (row_ || storeResult_)
        return;
    if (ClientErrorNumber(Handle()) != 0) {
        readFailed_ = true;
    } else if (moreResultsPending_) {
        // The last row is read: the results after it free the connection for the next statement.
        moreResultsPending_ = false;
        if (!DrainMoreResults(Handle()))
            readFailed_ = true;
    }
}

ClientResult TDirMySqlQuery::HandOverResult(bool& moreResultsPending) {
    moreResultsPending = moreResultsPending_;
    moreResultsPending_ = false;
    row_ = nullptr;
    lengths_.clear();
    return std::move(result_);
}

void TDirMySqlQuery::Close() {
    TDirQuery::Close();
    // Releasing a streamed result reads its remaining rows; the results after it follow.
    result_.reset();
    if (moreResultsPending_ && Handle())
        DrainMoreResults(Handle());
    moreResultsPending_ = false;
    row_ = nullptr;
    lengths_.clear();
    names_.clear();
}

void TDirMySqlQuery::SeekCurrent() {
    if (storeResult_ && result_) {
        Client().mysql_data_seek(result_.get(), static_cast<my_ulonglong>(RecNo));
        FetchRow();
    }
}

void TDirMySqlQuery::First() {
    TDirQuery::First();
    SeekCurrent();
}

void TDirMySqlQuery::Last() {
    TDirQuery::Last();
    SeekCurrent();
}

void TDirMySqlQuery::Prev() {
    TDirQuery::Prev();
    SeekCurrent();
}

void TDirMySqlQuery::MoveTo(std::int64_t n) {
    TDirQuery::MoveTo(n);
    SeekCurrent();
}

void TDirMySqlQuery::Next() {
    TDirQuery::Next();
    if (!result_)
        return;
    FetchNext();
    // Reading row by row, the row count grows with every row read.
    if (!storeResult_ && row_)
        RecNo = GetRecordCount() - 1;
}

bool TDirMySqlQuery::GetEof() {
    return storeResult_ ? Eof : row_ == nullptr;
}

int TDirMySqlQuery::GetStatus() {
    if (Failed)
        return dsError;
    return result_ ? dsRows : dsNone;
}

int TDirMySqlQuery::GetFieldCount() {
    return result_ ? static_cast<int>(Client().mysql_num_fields(result_.get())) : 0;
}

std::int64_t TDirMySqlQuery::GetRecordCount() {
    return result_ ? static_cast<std::int64_t>(Client().mysql_num_rows(result_.get())) : 0;
}

std::string TDirMySqlQuery::GetFieldName(int index) {
    return index >= 0 && index < static_cast<int>(names_.size()) ? names_[index] : std::string();
}

int TDirMySqlQuery::GetFieldIndex(const std::string& name) {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return static_cast<int>(i);
    return -1;
}

const MYSQL_FIELD* TDirMySqlQuery::ResultField(int index) const {
    if (!result_ || index < 0 || index >= static_cast<int>(names_.size()))
        return nullptr;
    return &Client().mysql_fetch_fields(result_.get())[index];
}

std::int64_t TDirMySqlQuery::GetFieldSize(int index) {
    const MYSQL_FIELD* f = ResultField(index);
    return f ? static_cast<std::int64_t>(f->length) : 0;
}

const unsigned long* TDirMySqlQuery::CurrentLengths() const {
    return result_ && row_ ? lengths_.data() : nullptr;
}

const char* TDirMySqlQuery::GetFieldBuffer(int index) {
    if (!result_ || !row_ || GetEof() || (storeResult_ && Bof) || index < 0 ||
        index >= GetFieldCount())
        return nullptr;
    return row_[index];
}

unsigned long TDirMySqlQuery::GetFieldLength(int index) {
    if (!GetFieldBuffer(index))
        return 0;
    return CurrentLengths()[index];
}

std::string TDirMySqlQuery::GetField(int index) {
    const char* p = GetFieldBuffer(index);
    return p ? std::string(p, GetFieldLength(index)) : std::string();
}

std::int64_t TDirMySqlQuery::GetFieldMaxSize(int index) {
    if (!storeResult_ || !result_ || index < 0 || index >= GetFieldCount())
        return 0;
    const ClientApi& c = Client();
    std::int64_t longest = 0;
    c.mysql_data_seek(result_.get(), 0);
    while (MYSQL_ROW r = c.mysql_fetch_row(result_.get())) {
        const unsigned long len = c.mysql_fetch_lengths(result_.get())[index];
        if (r[index])
            longest = std::max(longest, Utf8Length(std::string_view(r[index], len)));
    }
    SeekCurrent();
    return longest;
}
