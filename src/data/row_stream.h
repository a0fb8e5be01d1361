// Reading the rows of a result beside the dataset's thread.
//
// A RowStream takes over a result being read row by row (mysql_use_result) after its first row: a
// reader thread of its own fetches the rest, converts each row into a row block of a staging row
// cache, and hands finished rows over under a lock, in batches (a few thousand rows, or whatever
// arrived within a few milliseconds, or at once when rows come slowly). The dataset's thread takes
// them into its own row cache as waiting rows whenever it likes, without waiting for the reader.
// Rows converted before the server pauses go over during the pause: a watch beside the reader
// hands them over when the reader has waited a moment for the next row.
//
// While it reads, the reader owns the connection: it holds it through the blocking-call seam, so
// that a statement on the connection first waits for the last row (or stops the reader with the
// operator's Stop), and nothing else touches the connection meanwhile. At the end it reads the
// results that follow the streamed one, releases the result and lets the connection go.
//
// A stream given up before its end (the dataset closes) is finished by the reader alone: it reads
// on for a moment, and when rows still come it stops the statement (KILL QUERY on a short
// connection of its own) and reads what is left, never on the dataset's thread.
#pragma once

#include "data/blocking_calls.h"
#include "data/client_handles.h"
#include "data/row_cache.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Hands a task to the thread that owns the datasets, to run there later (the windows install one
// that posts it to their event loop). Without one, streamed rows are taken only when the dataset
// is asked for them.
using RowArrivalPoster = std::function<void(std::function<void()> task)>;
// Installs the poster and answers the previous one.
RowArrivalPoster SetRowArrivalPoster(RowArrivalPoster poster);

class RowStream : public std::enable_shared_from_this<RowStream> {
public:
    struct Source {
        MYSQL* handle = nullptr;
        ClientResult result;             // a result read row by row; its first row is read already
        bool moreResultsPending = false; // results follow the streamed one
        const char* const* firstRow = nullptr; // texts of the first row, valid until the next fetch
        std::vector<unsigned long> firstLengths;
        std::vector<CellKind> kinds;
        std::vector<int> columnOfField;
        // Called on the dataset's thread (through the installed poster) while rows arrive and
        // once at the end, also after the stream has finished (until GiveUp); it must tell
        // itself whether its dataset is still there.
        std::function<void()> onArrival;
    };

    // Starts the reader, which holds the connection from now on. Null when the connection could
    // not be held (another call runs on it); the source is then left as it was.
    static std::shared_ptr<RowStream> Start(Source& source);

    // Finishes a result half read row by row in the same way as a stream given up, beside the
    // caller; owner (what owns the connection) is let go on the reader's thread once the
    // connection is free. False, with result and owner left as they were, when the connection
    // could not be held.
    static bool Finish(MYSQL* handle, ClientResult& result, bool moreResultsPending,
                       std::shared_ptr<void>& owner);

    ~RowStream();
    RowStream(const RowStream&) = delete;
    RowStream& operator=(const RowStream&) = delete;

    // Moves the rows handed over so far behind the waiting rows of cache; answers how many. On
    // the dataset's thread.
    std::size_t TakeInto(RowCache& cache);
    // Rows converted so far, taken or not (counted as they are handed over).
    std::size_t RowsRead() const { return rowsRead_.load(); }
    // The reader has ended (the connection is free again) and every row has been taken.
    bool Finished();
    // The reader has ended, every row has been taken, and reading broke off on an error (the
    // connection holds it) rather than at the end of the rows.
    bool Failed();
    // The error reading broke off on, as the connection gave it then (a later statement on the
    // connection does not change it); null when reading ended at the end of the rows.
    std::exception_ptr Error();

    // Waits until rows are ready to take or the reader has ended, through the blocking-call seam:
    // the window paints meanwhile and shows Stop after a while. False when the operator stopped
    // the statement (the reader then ends as failed).
    bool WaitForRows();
    // Waits the same way until the reader has ended.
    bool WaitForEnd();
    // Waits on the caller's thread, without the seam, until the reader has ended or handed over
    // `rows` rows, for at most `limit`; and in any case until the first row is handed over (the
    // reader does that first thing).
    void WaitForFirstRows(std::size_t rows, std::chrono::milliseconds limit);

    // The dataset no longer wants the rows: the reader finishes on its own as described above.
    // The dataset's thread does not wait.
    void GiveUp();

private:
    RowStream() = default;
    // Holds the connection for the stream and starts its reader; false when it was busy.
    bool Launch(MYSQL* handle);
    void StopAfterGrace();
    void Read();
    void ReadRest(bool& failed);
    // After a fetch: false when the watch handed the staging rows over meanwhile.
    bool TakeStagingBack();
    void Watch();
    void HandOverWhileFetching();
    // Staging rows go to ready_; by the reader, or by the watch while the reader fetches.
    void HandOver(bool all);
    void PostArrival();
    void WaitUntil(bool rows);

    MYSQL* handle_ = nullptr;
    ClientResult result_;
    bool moreResultsPending_ = false;
    const char* const* firstRow_ = nullptr;
    std::shared_ptr<void> owner_;
    std::vector<unsigned long> firstLengths_;
    std::vector<int> columnOfField_;
    StopTarget target_;
    RowCache staging_; // the reader's own, or the watch's while the reader fetches (fetchState_)
    std::atomic<int> fetchState_{0};
    std::atomic<bool> stagingTaken_{false};   // the watch handed rows over during the last fetch
    std::atomic<std::int64_t> fetchSince_{0}; // when the reader's current fetch began (row clock)
    bool unannounced_ = false; // rows went over that the dataset's thread was not told of

    std::mutex mutex_;
    std::condition_variable changed_;
    RowBatch ready_; // handed over, not yet taken
    bool ended_ = false;
    bool failed_ = false;
    std::exception_ptr error_; // with failed_
    bool rowsEnded_ = false;   // the last row (or the error) has been read
    bool killDecided_ = false; // after GiveUp: whether to stop the statement is settled
    bool killSent_ = false;
    std::chrono::steady_clock::time_point lastPost_; // with staging_
    std::atomic<bool> givenUp_{false};
    std::atomic<bool> deliveryPending_{false};
    std::atomic<std::size_t> rowsRead_{0};
    std::function<void()> onArrival_; // under mutex_
};
