// TMySQLQuery: the dataset over a statement's rows. It opens the statement on a TMySQLDatabase,
// types its fields from the statement analysis, and keeps the rows in a row cache whose record
// numbers are the bookmarks. With StoreResult (the default) the whole result is read while the
// query opens, on the database's connection, and its rows wait in the cache's arena until
// navigation or a view asks for them; without it rows are read from the server only as far as
// navigation needs them, over a connection of the query's own. QueryAllRecords takes every row
// into the cache while the query opens.
//
// Reading the rows and the cursor are the query's own; the rest is done by parts it owns and
// forwards to: QueryFilter (the filter and searching), MasterLink (the master/detail link) and
// ChangeWriter (writing changes and reading written rows back).
#pragma once

#include "data/change_writer.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/dir_query.h"
#include "data/field_values.h"
#include "data/master_link.h"
#include "data/query_filter.h"
#include "data/row_cache.h"
#include "data/row_stream.h"
#include "data/statement_analysis.h"
#include "data/value_match.h"
#include "data/view_index.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TMySQLDatabase;
class TransactionLink;

// Row types shown while cached updates are on.
enum RecordType : unsigned {
    rtModified = 1,
    rtInserted = 2,
    rtDeleted = 4,
    rtUnmodified = 8,
};

// What OnApplyUpdateError answers: give up (raise), go on as if applied, or try again.
enum UpdateAction : int { uaFail = 0, uaAbort = 1, uaRetry = 2 };

class TMySQLQuery : public TDataSet {
public:
    TMySQLQuery() = default;
    ~TMySQLQuery() override;

    // The statement, as lines; writing it closes the dataset.
    const std::vector<std::string>& SQL() const { return sql_; }
    void SetSQL(std::vector<std::string> lines);
    void SetSQLText(const std::string& text); // split at line breaks
    std::string SQLText() const;              // the lines joined by line breaks

    TMySQLDatabase* Database() const { return database_; }
    // Closes the dataset. The database closes its queries before it disconnects.
    void SetDatabase(TMySQLDatabase* database);
    // Carries written rows; without one they go straight to the database.
    TransactionLink* Transaction() const { return transaction_; }
    void SetTransaction(TransactionLink* transaction); // closes the dataset

    bool RequestLive = false;
    bool CachedUpdates = false;
    bool QueryAllRecords = false;
    bool StoreResult = true;
    // With StoreResult, the rows after the first few are read by a reader beside the dataset's
    // thread (see row_stream.h): Open returns with the first rows, the rest arrive while the
    // views show them. Whatever needs the last row (Last, RecordCount, searching and filtering
    // over every row, Refresh, appending) waits for the rest, showing progress with Stop when it
    // runs beside a window; a statement on the connection waits for it too. Closing does not
    // wait: the reader finishes alone.
    bool StreamRows = false;
    bool UseGen = false;
    unsigned ShowRecordTypes = rtModified | rtInserted | rtUnmodified;
    // Re-run the statement for each master row instead of filtering the detail rows locally.
    bool LinkRequery = false;

    bool CanModify() const override;

    // Posts write text values byte for byte instead of as an edit writes them (CR LF as a line
    // feed); set while rows are copied from elsewhere.
    bool WriteTextAsIs = false;

    // Live editing. Without CachedUpdates every post and delete is written at once; a write the
    // server refuses leaves the cache and the change log as they were. With it, changes wait in
    // the change log for ApplyUpdates.
    //
    // Replaces the statement generator for every change: the query, the row before and after,
    // and the change state (1, 2 insert, 3 delete, 4 update).
    std::function<void(TMySQLQuery&, const TFieldValues& oldValues, const TFieldValues& newValues,
                       std::uint8_t state)>
        OnApplyUpdates;
    // Called when writing a change raises; action starts as uaFail.
    std::function<void(TDataSet&, const EDatabaseError&, int& action)> OnApplyUpdateError;
    // Called before changes are written to the server; raising keeps them from being sent (a
    // post or delete then leaves the rows as they were).
    std::function<void(TMySQLQuery&)> BeforeWrite;
    // Posts a pending edit, writes the change log in order and resynchronises the views.
    void ApplyUpdates() { writer_.ApplyUpdates(); }
    // Forgets the change log: deleted rows leave the cache, every other row counts as unchanged.
    void CommitUpdates() { writer_.CommitUpdates(); }
    bool UpdatesPending() const { return writer_.Pending(); }
    const ChangeLog& Log() const { return writer_.Log(); }
    // The change state of the current row (0 when there is none).
    std::uint8_t UpdateStatus() { return writer_.UpdateStatus(); }
    bool ReadOnly() const { return readOnly_; }
    // True once the last Open has handed its statement to the server, also when that Open then
    // failed: the statement may have run, and sending it again could run it twice.
    bool StatementSent() const { return statementSent_; }

    const StatementAnalysis& Analysis() const { return analysis_; }
    const std::vector<std::string>& Tables() const { return analysis_.Tables(); }
    const std::vector<std::string>& Aliases() const { return analysis_.Aliases(); }
    // The column description of a field, or nullptr when the field is not described.
    const TMySQLField* Description(const TField& field) const;

    // The rows read so far, and reading ahead without moving the cursor (for views).
    std::size_t CachedRowCount() const { return cache_.Count(); }
    bool FetchUpTo(std::size_t rows);
    ValueView CachedValue(std::size_t row, std::size_t field) const;
    std::size_t CacheMemoryBytes() const { return cache_.MemoryBytes(); }
    // True once every row of the result is in the cache.
    bool AllFetched() const { return atEnd_; }
    // The rows of the result that have arrived so far, without waiting for more; the record
    // count once they all have.
    std::int64_t RowsArrived();
    // True while a reader still streams rows of the result.
    bool RowsStreaming() const { return stream_ != nullptr; }
    // True when the streamed rows broke off before the end of the result (an error of the
    // server, a lost connection, a stop): the rows read before it stay, but they are not all the
    // rows. It holds until the dataset closes or opens again.
    bool RowsBrokeOff() const { return brokenOff_ != nullptr; }
    // The error the rows broke off on, the first time it is asked for, unless a read at the end
    // of the rows raised it already (that read raises it once) or it is the operator's own stop;
    // null otherwise. For a window to tell the operator what nobody else did.
    std::exception_ptr TakeUntoldBreakOff();
    // Called on the dataset's thread while streamed rows arrive (after RowsArrived grew and the
    // observers heard DataEvent::RowsArrived) and once when the last one has; set after Open, it
    // holds until the dataset closes.
    std::function<void(TMySQLQuery&)> OnRowsArrived;

    // Searching. Key fields are named in a list ("id; name", a number being a field index); one
    // value per key field. Rows are examined in order from the first, fetching further rows as
    // the search needs them; hidden rows are passed over.
    bool Locate(const std::string& keyFields, const std::vector<std::string>& keyValues,
                unsigned options = 0) { // LocateOption flags
        return filter_.Locate(keyFields, keyValues, options);
    }
    // The texts of the result fields of the first row that matches, without moving.
    std::optional<std::vector<std::string>> Lookup(const std::string& keyFields,
                                                   const std::vector<std::string>& keyValues,
                                                   const std::string& resultFields) {
        return filter_.Lookup(keyFields, keyValues, resultFields);
    }
    // The first, last, next or prior row that passes the Filter expression, whether or not
    // Filtered is set; answers whether one was found (and made current).
    bool FindFirst() { return filter_.FindFirst(); }
    bool FindLast() { return filter_.FindLast(); }
    bool FindNext() { return filter_.FindNext(); }
    bool FindPrior() { return filter_.FindPrior(); }
    // Applies pending changes, runs the statement again, reads as many rows as were read before
    // and returns to the current row by its key. When another connection deleted that row, a
    // neighbour becomes current and CurrentRowGone() tells so.
    void Refresh() override;
    bool CurrentRowGone() const { return currentRowGone_; }

    // The filter: an expression over the fields (see TParser), in effect while Filtered is set.
    // A text that does not compile raises and leaves the filter as it was.
    const std::string& Filter() const { return filter_.Text(); }
    void SetFilter(const std::string& text) { filter_.SetText(text); }
    bool Filtered() const { return filter_.Filtered(); }
    void SetFiltered(bool filtered) { filter_.SetFiltered(filtered); }
    // The filter names fields only: a name that is no field of the dataset raises
    // "Variable \"NAME\" not found" when the filter is set, switched on, used by a Find or the
    // dataset opens filtered, and the filter stays as it was. A row whose filter raises on its
    // values (a division by zero, an integer overflow, a NULL where a number is needed) is not
    // shown and not found; the first such row since the filter or the rows last changed is kept
    // here (recNo 0 while there is none).
    using FilterFault = QueryFilter::Fault;
    const FilterFault& FirstFilterFault() const { return filter_.FirstFault(); }

    // Master/detail: pairs DetailField=MasterField (at most 11) tying this dataset to the current
    // row of the master dataset.
    const std::string& LinkFields() const { return link_.Fields(); }
    void SetLinkFields(const std::string& text) { link_.SetFields(text); }
    TDataSet* MasterSource() const { return link_.Master(); }
    void SetMasterSource(TDataSet* master) { link_.SetMaster(master); }
    // Why LinkRequery was switched off for the statement (empty while it was not).
    const std::string& LinkNote() const { return link_.Note(); }
    // The statement as last sent (with the link's condition when LinkRequery is on).
    const std::string& RunStatement() const { return link_.RunStatement(); }

    std::int64_t RowsRead() override { return static_cast<std::int64_t>(cache_.Count()); }
    bool AllRowsRead() override { return !Active() || !CanFetch(); }
    std::int64_t ReadRowsUpTo(std::int64_t rows) override;
    ValueView RowValue(std::int64_t recNo, std::size_t field) override;
    std::int64_t ViewRowCount() override;
    std::int64_t ViewRowToRecNo(std::int64_t viewRow) override;
    std::int64_t RecNoToViewRow(std::int64_t recNo) override;
    // Streamed rows that have not arrived yet are not waited for: the views read more when
    // DataEvent::RowsArrived says they have.
    std::int64_t ReadViewRowsUpTo(std::int64_t viewRows) override;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    bool InternalFirst() override;
    bool InternalLast() override;
    bool InternalNext() override;
    bool InternalPrior() override;
    std::int64_t InternalRecordCount() override;
    std::int64_t InternalRecNo() override;
    bool InternalSetRecNo(std::int64_t recNo) override;
    Bookmark InternalGetBookmark() override;
    void InternalGotoBookmark(Bookmark bookmark) override;
    ValueView InternalCurrentValue(std::size_t field) override;
    StoredValue InternalCurrentText(std::size_t field, std::string_view& text) override;
    void InternalInitRecord(std::vector<FieldValue>& values) override {
        writer_.InitRecord(values);
    }
    void InternalPost(bool inserting, bool appending, std::vector<FieldValue>& values) override {
        writer_.Post(inserting, appending, values);
    }
    void InternalDelete() override { writer_.Delete(); }

protected:
    // Whether a cached row is visible; a change that may hide or show rows calls
    // InvalidateViewRows.
    virtual bool RowVisible(std::size_t index) const;
    void InvalidateViewRows() { view_.Invalidate(); }

private:
    // The parts work on the rows, the cursor and the dataset's own operations.
    friend class QueryFilter;
    friend class MasterLink;
    friend class ChangeWriter;

    void CheckComponents();
    // Filtering and linking.
    // True while the filter or a master link may hide fetched rows.
    bool MayHideRows() const { return link_.HidesRows() || filter_.InEffect(); }
    bool PassesLink(std::size_t index) const { return link_.Passes(index); }
    bool StateVisible(std::size_t index) const;
    void MoveToCacheRow(std::int64_t index);
    // Runs statement again in place of the rows held; with keepRowsOnFailure the rows stay when it
    // fails.
    void Rerun(const std::string& statement, const char* errorText, bool keepRowsOnFailure = false);
    // Sends statement on the query's connection, which is made again once when the server had
    // dropped it; true when it answered rows.
    bool OpenAgain(const std::string& statement);
    void ResyncToFirst();
    void BuildFields();
    void SetDefaultExpressions();
    bool CanFetch() const;
    bool FetchOne();
    void FetchAll();
    const ViewIndex& UpdatedView();
    std::int64_t FindVisibleFrom(std::int64_t index);
    void ResolveCurrent();
    void WidenUndescribedFields(std::size_t from = 0);
    void ReadAhead();
    // Streaming (mysql_query_stream.cpp).
    bool StartStream();
    void TakeStreamed();
    bool WaitForStreamed(bool all);
    void RowsCameIn();
    void FinishStream();
    void GiveUpStream();
    // The error streamed rows broke off on: the reader's, or the connection's after a stop.
    std::exception_ptr BreakOffError(std::exception_ptr readerError);
    // A result half read over the query's own connection is finished beside the caller, and the
    // connection closed there.
    void FinishOwnConnection();

    std::vector<std::string> sql_;
    TMySQLDatabase* database_ = nullptr;
    TransactionLink* transaction_ = nullptr;

    TDirMySqlQuery dirQuery_;
    std::shared_ptr<RowStream> stream_;        // while rows still arrive
    std::shared_ptr<RowStream> retiredStream_; // given up; may hold memory of cached rows
    std::shared_ptr<char> streamToken_;        // lives while news of the stream is wanted
    // The error streamed rows broke off on (the server's, a lost connection, a stop), and whether
    // the reader of the rows or the window has heard of it.
    std::exception_ptr brokenOff_;
    bool brokenOffTold_ = false;
    bool streamStopped_ = false; // the operator stopped a wait for the streamed rows
    // How far a fetch waits for streamed rows: a view takes what has arrived, a step to the next
    // row waits for it, anything else for the last row.
    enum class StreamWait { None, Next, All };
    StreamWait streamWait_ = StreamWait::All;
    std::unique_ptr<TDirMySQLConnect> ownConnect_; // reading row by row
    StatementAnalysis analysis_;
    RowCache cache_;
    ViewIndex view_;
    std::int64_t rowsAddedOrRemoved_ = 0; // new rows less removed ones, for the record count
    std::vector<int> columnOfField_;
    std::vector<int> descriptionOfField_;
    std::int64_t current_ = -1; // cache index; -1: the first visible row, not yet looked for
    std::int64_t recordCounter_ = 0;
    std::int64_t lastId_ = 0;
    bool firstFetch_ = true;
    bool atEnd_ = false;
    bool readAhead_ = false; // the whole result was read at open and waits in the cache
    bool readOnly_ = true;
    bool statementSent_ = false;

    bool currentRowGone_ = false;

    // The parts.
    QueryFilter filter_{*this};
    MasterLink link_{*this};
    ChangeWriter writer_{*this};
};
