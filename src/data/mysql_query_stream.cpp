// TMySQLQuery: the rows of a result streamed in beside the dataset's thread (StreamRows).
#include "data/mysql_query.h"

#include "data/blocking_calls.h"

#include <chrono>

namespace {

// Open waits for this many rows (a few screens), or for the end of a short result, but no
// longer than kOpenWait: a short result is whole when Open returns, a long one shows at once.
constexpr std::size_t kOpenRows = 1000;
constexpr auto kOpenWait = std::chrono::milliseconds(200);

} // namespace

bool TMySQLQuery::StartStream() {
    TDirMySQLConnect* connect = dirQuery_.MySQLConnect();
    if (!connect || !dirQuery_.CurrentRow() || !dirQuery_.CurrentLengths())
        return false;
    RowStream::Source source;
    source.handle = connect->Handle();
    source.firstRow = dirQuery_.CurrentRow();
    const unsigned long* lengths = dirQuery_.CurrentLengths();
    source.firstLengths.assign(lengths, lengths + dirQuery_.GetFieldCount());
    source.kinds = cache_.Kinds();
    source.columnOfField = columnOfField_;
    // News of rows reaches this dataset only while the token of this stream lives.
    streamToken_ = std::make_shared<char>();
    source.onArrival = [this, token = std::weak_ptr<char>(streamToken_)] {
        if (!token.expired())
            RowsCameIn();
    };
    bool more = false;
    source.result = dirQuery_.HandOverResult(more);
    source.moreResultsPending = more;
    stream_ = RowStream::Start(source);
    if (!stream_) // the connection is busy with another call: it cannot carry the rows
        throw EDatabaseError(dberr::kDatabaseConnect);
    brokenOff_ = nullptr;
    brokenOffTold_ = false;
    streamStopped_ = false;
    readAhead_ = true;
    stream_->WaitForFirstRows(kOpenRows, kOpenWait);
    TakeStreamed();
    return true;
}

void TMySQLQuery::TakeStreamed() {
    if (!stream_)
        return;
    const std::size_t before = cache_.Count() + cache_.WaitingCount();
    if (stream_->TakeInto(cache_) != 0)
        WidenUndescribedFields(before);
    // Every row is read into the cache as it arrives.
    if (QueryAllRecords)
        while (cache_.WaitingCount() != 0)
            cache_.TakeWaiting(++recordCounter_, ++lastId_);
    if (stream_->Finished()) {
        if (stream_->Failed())
            brokenOff_ = BreakOffError(stream_->Error());
        stream_.reset();
    }
}

std::exception_ptr TMySQLQuery::BreakOffError(std::exception_ptr readerError) {
    // The operator's stop is told by the connection, which the reader could not ask yet.
    TDirMySQLConnect* connect = dirQuery_.MySQLConnect();
    return streamStopped_ && connect ? ConnectErrorOf(*connect) : readerError;
}

void TMySQLQuery::RowsCameIn() {
    TakeStreamed();
    Notify(DataEvent::RowsArrived);
    if (OnRowsArrived)
        OnRowsArrived(*this);
}

bool TMySQLQuery::WaitForStreamed(bool all) {
    TakeStreamed();
    if (!stream_ || (!all && cache_.WaitingCount() != 0))
        return true;
    const bool ran = all ? stream_->WaitForEnd() : stream_->WaitForRows();
    if (!ran) {
        streamStopped_ = true;
        // Rows that broke off while the wait was stopped broke off on the stop.
        if (brokenOff_)
            brokenOff_ = BreakOffError(brokenOff_);
    }
    TakeStreamed();
    return ran;
}

void TMySQLQuery::FinishStream() {
    // A stop ends the reader early; what it read stays.
    while (stream_)
        WaitForStreamed(true);
}

void TMySQLQuery::GiveUpStream() {
    brokenOff_ = nullptr;
    brokenOffTold_ = false;
    streamToken_.reset();
    if (!stream_)
        return;
    stream_->GiveUp();
    // The cached rows may lie in memory of the stream until the cache lets them go.
    retiredStream_ = std::move(stream_);
}

void TMySQLQuery::FinishOwnConnection() {
    if (!ownConnect_ || !ownConnect_->Handle())
        return;
    bool more = false;
    ClientResult result = dirQuery_.HandOverResult(more);
    if (!result)
        return;
    std::shared_ptr<void> owner = std::shared_ptr<TDirMySQLConnect>(std::move(ownConnect_));
    if (!RowStream::Finish(static_cast<TDirMySQLConnect*>(owner.get())->Handle(), result, more,
                           owner)) {
        // Read to its end here, as before, while the connection is still open.
        result.reset();
    }
}

std::exception_ptr TMySQLQuery::TakeUntoldBreakOff() {
    if (!brokenOff_ || brokenOffTold_)
        return nullptr;
    brokenOffTold_ = true;
    // A stop the operator gave while a statement on the connection waited for the rows was
    // told by that statement.
    const TDirMySQLConnect* connect = dirQuery_.MySQLConnect();
    try {
        std::rethrow_exception(brokenOff_);
    } catch (const EDatabaseError& e) {
        if (e.ErrorNumber() == kStoppedErrorNumber && connect && CallStopped(connect->Handle()))
            return nullptr;
    } catch (...) {
    }
    return brokenOff_;
}

std::int64_t TMySQLQuery::RowsArrived() {
    if (!Active())
        return 0;
    TakeStreamed();
    if (readAhead_)
        return static_cast<std::int64_t>(cache_.Count() + cache_.WaitingCount());
    return InternalRecordCount();
}
