#include "data/row_stream.h"

#include "data/db_error.h"
#include "data/statement_results.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// The reader reads the time at every row. A coarse clock (ticks a few milliseconds apart) costs a
// fraction of a precise one, and the limits below need no finer measure: a row counts as slow when
// a tick passed while it came, and a batch is old a tick or so after kBatchAge.
struct RowClock {
    using rep = std::chrono::nanoseconds::rep;
    using period = std::chrono::nanoseconds::period;
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<RowClock>;
    static constexpr bool is_steady = true;
    static time_point now() noexcept {
#ifdef CLOCK_MONOTONIC_COARSE
        timespec t{};
        if (clock_gettime(CLOCK_MONOTONIC_COARSE, &t) == 0)
            return time_point(std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec));
#endif
        return time_point(Clock::now().time_since_epoch());
    }
};

// Rows go over in batches that grow from the first screen's worth to this many.
constexpr std::size_t kFirstBatch = 64;
constexpr std::size_t kLargestBatch = 8192;
// Rows wait no longer than this for their batch to fill.
constexpr auto kBatchAge = std::chrono::milliseconds(10);
// A row that took this long to come goes over at once: the next one may take as long.
constexpr auto kSlowRow = std::chrono::milliseconds(2);
// A stream given up reads on this long before its statement is stopped.
constexpr auto kGiveUpGrace = std::chrono::milliseconds(50);
// The dataset's thread is told about new rows at most this often (and once at the end).
constexpr auto kArrivalInterval = std::chrono::milliseconds(50);

// Where the reader is, for the watch that hands over rows while the reader waits for the next one.
enum FetchState : int {
    kConverting = 0, // the staging rows are the reader's
    kFetching = 1,   // the reader waits for a row; the watch may take the staging rows
    kTaken = 2,      // the watch hands the staging rows over; the reader waits for it after a fetch
};

std::mutex posterMutex;
RowArrivalPoster& Poster() {
    static RowArrivalPoster poster;
    return poster;
}

RowArrivalPoster CurrentPoster() {
    const std::lock_guard lock(posterMutex);
    return Poster();
}

// The connection's error as it stands, as the exception a statement that met it raises.
std::exception_ptr ConnectionError(MYSQL* handle) {
    return ServerError(ClientErrorText(handle), ClientErrorNumber(handle),
                       ClientErrorState(handle));
}

} // namespace

RowArrivalPoster SetRowArrivalPoster(RowArrivalPoster poster) {
    const std::lock_guard lock(posterMutex);
    return std::exchange(Poster(), std::move(poster));
}

RowStream::~RowStream() = default;

bool RowStream::Launch(MYSQL* handle) {
    // Taken before the reader starts: from now on only the reader touches the connection.
    target_ = StopTargetOf(handle);
    std::weak_ptr<RowStream> weak = weak_from_this();
    if (!HoldConnection(handle, target_, [weak] {
            if (const auto s = weak.lock())
                s->WaitUntil(false);
        }))
        return false;
    handle_ = handle;
    std::thread([self = shared_from_this()] { self->Read(); }).detach();
    // Rows kept for a stream given up are none: it needs no watch.
    if (!givenUp_.load())
        std::thread([self = shared_from_this()] { self->Watch(); }).detach();
    return true;
}

std::shared_ptr<RowStream> RowStream::Start(Source& source) {
    if (!source.handle || !source.result || !source.firstRow)
        return nullptr;
    std::shared_ptr<RowStream> stream(new RowStream());
    stream->result_ = std::move(source.result);
    stream->moreResultsPending_ = source.moreResultsPending;
    stream->firstRow_ = source.firstRow;
    stream->firstLengths_ = std::move(source.firstLengths);
    stream->columnOfField_ = std::move(source.columnOfField);
    stream->staging_.Reset(std::move(source.kinds));
    stream->onArrival_ = std::move(source.onArrival);
    if (!stream->Launch(source.handle)) {
        source.result = std::move(stream->result_);
        return nullptr;
    }
    return stream;
}

bool RowStream::Finish(MYSQL* handle, ClientResult& result, bool moreResultsPending,
                       std::shared_ptr<void>& owner) {
    if (!handle || !result)
        return false;
    std::shared_ptr<RowStream> stream(new RowStream());
    stream->givenUp_ = true;
    stream->result_ = std::move(result);
    stream->moreResultsPending_ = moreResultsPending;
    stream->owner_ = std::move(owner);
    if (!stream->Launch(handle)) {
        result = std::move(stream->result_);
        owner = std::move(stream->owner_);
        return false;
    }
    stream->StopAfterGrace();
    return true;
}

void RowStream::Read() {
    if (firstRow_) {
        staging_.AppendWaiting(firstRow_, firstLengths_.data(), columnOfField_.data());
        firstRow_ = nullptr;
        HandOver(false); // the first row at once: the first screen starts with it
    }
    bool failed = false;
    ReadRest(failed);
    std::exception_ptr error = failed ? ConnectionError(handle_) : nullptr;
    HandOver(true);
    // The results after the streamed one free the connection for the next statement.
    result_.reset();
    if (moreResultsPending_ && !DrainMoreResults(handle_) && !failed) {
        failed = true;
        error = ConnectionError(handle_);
    }
    moreResultsPending_ = false;
    if (givenUp_.load()) {
        // A stop sent to a statement that had just ended would be taken by the next one: a
        // statement of nothing takes it instead.
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return killDecided_; });
        if (killSent_) {
            lock.unlock();
            RunAndDrain(handle_, "DO 0");
        }
    }
    ReleaseConnection(handle_);
    owner_.reset();
    {
        const std::lock_guard lock(mutex_);
        ended_ = true;
        failed_ = failed;
        error_ = error;
    }
    changed_.notify_all();
    PostArrival();
}

void RowStream::ReadRest(bool& failed) {
    const ClientApi& c = Client();
    MYSQL_RES* res = result_.get();
    const int* columns = columnOfField_.data();
    std::size_t batch = 0;
    std::size_t limit = kFirstBatch;
    RowClock::time_point batchStart = RowClock::now();
    RowClock::time_point last = batchStart;
    for (;;) {
        fetchSince_.store(last.time_since_epoch().count(), std::memory_order_relaxed);
        fetchState_.store(kFetching, std::memory_order_release);
        MYSQL_ROW row = c.mysql_fetch_row(res);
        if (!TakeStagingBack()) { // the watch handed the rows over meanwhile
            batch = 0;
            batchStart = RowClock::now();
        }
        if (!row) {
            failed = ClientErrorNumber(handle_) != 0;
            break;
        }
        if (givenUp_.load(std::memory_order_relaxed))
            continue; // read to the end (or the stop), keeping nothing
        staging_.AppendWaiting(row, c.mysql_fetch_lengths(res), columns);
        ++batch;
        const RowClock::time_point now = RowClock::now();
        if (batch >= limit || now - batchStart >= kBatchAge || now - last >= kSlowRow) {
            HandOver(false);
            batch = 0;
            limit = std::min(limit * 2, kLargestBatch);
            batchStart = now;
        }
        last = now;
    }
    {
        const std::lock_guard lock(mutex_);
        rowsEnded_ = true;
    }
    changed_.notify_all();
}

bool RowStream::TakeStagingBack() {
    for (;;) {
        int state = kFetching;
        if (fetchState_.compare_exchange_strong(state, kConverting, std::memory_order_acq_rel))
            break;
        std::this_thread::yield(); // the watch is handing rows over: a moment's work
    }
    return !stagingTaken_.exchange(false, std::memory_order_relaxed);
}

void RowStream::Watch() {
    std::unique_lock lock(mutex_);
    while (!changed_.wait_for(lock, kBatchAge, [this] { return rowsEnded_; })) {
        lock.unlock();
        HandOverWhileFetching();
        lock.lock();
    }
}

void RowStream::HandOverWhileFetching() {
    if (givenUp_.load())
        return;
    // Rows that came before a pause of the server go over during it, not with the next row.
    const RowClock::time_point since(
        RowClock::duration(fetchSince_.load(std::memory_order_relaxed)));
    if (RowClock::now() - since < kSlowRow)
        return;
    int state = kFetching;
    if (!fetchState_.compare_exchange_strong(state, kTaken, std::memory_order_acq_rel))
        return;
    // Also when no rows wait: rows handed over earlier may still be untold.
    HandOver(false);
    stagingTaken_.store(true, std::memory_order_relaxed);
    fetchState_.store(kFetching, std::memory_order_release);
}

void RowStream::HandOver(bool all) {
    RowBatch batch;
    staging_.HandOverWaiting(batch, all);
    if (!batch.rows.empty() || !batch.chunks.empty()) {
        rowsRead_.fetch_add(batch.rows.size(), std::memory_order_relaxed);
        {
            const std::lock_guard lock(mutex_);
            ready_.rows.insert(ready_.rows.end(), batch.rows.begin(), batch.rows.end());
            for (std::size_t i = 0; i < batch.chunks.size(); ++i) {
                ready_.chunks.push_back(std::move(batch.chunks[i]));
                ready_.chunkSizes.push_back(batch.chunkSizes[i]);
            }
        }
        changed_.notify_all();
        unannounced_ |= !batch.rows.empty();
    }
    // Rows handed over too soon after the last news are told of with a later hand-over (the
    // watch makes one during a pause).
    const Clock::time_point now = Clock::now();
    if (unannounced_ && now - lastPost_ >= kArrivalInterval) {
        lastPost_ = now;
        unannounced_ = false;
        PostArrival();
    }
}

void RowStream::PostArrival() {
    if (givenUp_.load() || deliveryPending_.exchange(true))
        return;
    const RowArrivalPoster poster = CurrentPoster();
    if (!poster) {
        deliveryPending_ = false;
        return;
    }
    // The task carries the handler: it runs even when the stream itself is gone by then (its
    // last rows taken), and the handler tells whether its dataset still wants to hear.
    std::function<void()> handler;
    {
        const std::lock_guard lock(mutex_);
        handler = onArrival_;
    }
    std::weak_ptr<RowStream> weak = weak_from_this();
    poster([weak, handler] {
        if (const auto s = weak.lock())
            s->deliveryPending_ = false;
        if (handler)
            handler();
    });
}

std::size_t RowStream::TakeInto(RowCache& cache) {
    const std::lock_guard lock(mutex_);
    const std::size_t n = ready_.rows.size();
    if (n != 0 || !ready_.chunks.empty())
        cache.AdoptWaiting(ready_);
    return n;
}

bool RowStream::Finished() {
    const std::lock_guard lock(mutex_);
    return ended_ && ready_.rows.empty() && ready_.chunks.empty();
}

bool RowStream::Failed() {
    const std::lock_guard lock(mutex_);
    return ended_ && failed_ && ready_.rows.empty();
}

std::exception_ptr RowStream::Error() {
    const std::lock_guard lock(mutex_);
    return ended_ && failed_ ? error_ : nullptr;
}

void RowStream::WaitUntil(bool rows) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ended_ || (rows && !ready_.rows.empty()); });
}

bool RowStream::WaitForRows() {
    {
        const std::lock_guard lock(mutex_);
        if (ended_ || !ready_.rows.empty())
            return true;
    }
    return RunBlockingWait(handle_, [this] { WaitUntil(true); });
}

bool RowStream::WaitForEnd() {
    {
        const std::lock_guard lock(mutex_);
        if (ended_)
            return true;
    }
    return RunBlockingWait(handle_, [this] { WaitUntil(false); });
}

void RowStream::WaitForFirstRows(std::size_t rows, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [&] { return ended_ || ready_.rows.size() >= rows; });
    changed_.wait(lock, [&] { return ended_ || !ready_.rows.empty(); });
}

void RowStream::GiveUp() {
    {
        const std::lock_guard lock(mutex_);
        onArrival_ = nullptr;
    }
    if (givenUp_.exchange(true))
        return;
    {
        const std::lock_guard lock(mutex_);
        if (ended_)
            return;
    }
    StopAfterGrace();
}

void RowStream::StopAfterGrace() {
    // Beside the window: a statement that goes on sending rows is stopped after a moment.
    std::thread([self = shared_from_this()] {
        bool stop = false;
        {
            std::unique_lock lock(self->mutex_);
            stop = !self->changed_.wait_for(lock, kGiveUpGrace, [&] { return self->rowsEnded_; });
        }
        const bool sent = stop && StopStatement(self->target_);
        {
            const std::lock_guard lock(self->mutex_);
            self->killSent_ = sent;
            self->killDecided_ = true;
        }
        self->changed_.notify_all();
    }).detach();
}
