// TMySQLQuery: the dataset over a statement's rows. It opens the statement on a TMySQLDatabase,
// types its fields from the statement analysis, and keeps the rows it has read in a row cache
// whose record numbers are the bookmarks. Without QueryAllRecords rows are read only as far as
// navigation needs them.
#pragma once

#include "data/dataset.h"
#include "data/dir_query.h"
#include "data/row_cache.h"
#include "data/statement_analysis.h"
#include "data/view_index.h"

#include <cstdint>
#include <memory>
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
    void SetDatabase(TMySQLDatabase* database); // closes the dataset
    // Carries written rows; without one they go straight to the database.
    TransactionLink* Transaction() const { return transaction_; }
    void SetTransaction(TransactionLink* transaction); // closes the dataset

    bool RequestLive = false;
    bool CachedUpdates = false;
    bool QueryAllRecords = false;
    bool StoreResult = true;
    bool UseGen = false;
    unsigned ShowRecordTypes = rtModified | rtInserted | rtUnmodified;
    std::string LinkFields;
    bool LinkRequery = false;

    bool CanModify() const override;
    bool ReadOnly() const { return readOnly_; }

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

    std::int64_t RowsRead() override { return static_cast<std::int64_t>(cache_.Count()); }
    bool AllRowsRead() override { return !Active() || !CanFetch(); }
    std::int64_t ReadRowsUpTo(std::int64_t rows) override;
    ValueView RowValue(std::int64_t recNo, std::size_t field) override;
    std::int64_t ViewRowCount() override;
    std::int64_t ViewRowToRecNo(std::int64_t viewRow) override;
    std::int64_t RecNoToViewRow(std::int64_t recNo) override;
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
    void InternalPost(bool inserting, bool appending, std::vector<FieldValue>& values) override;
    void InternalDelete() override;

protected:
    // Whether a cached row is visible; a change that may hide or show rows calls
    // InvalidateViewRows.
    virtual bool RowVisible(std::size_t index) const;
    void InvalidateViewRows() { view_.Invalidate(); }

private:
    void CheckComponents();
    void BuildFields();
    void SetDefaultExpressions();
    bool CanFetch() const;
    bool FetchOne();
    void FetchAll();
    const ViewIndex& UpdatedView();
    std::int64_t FindVisibleFrom(std::int64_t index);
    void ResolveCurrent();
    void WidenUndescribedFields();

    std::vector<std::string> sql_;
    TMySQLDatabase* database_ = nullptr;
    TransactionLink* transaction_ = nullptr;

    TDirMySqlQuery dirQuery_;
    std::unique_ptr<TDirMySQLConnect> ownConnect_; // reading row by row
    StatementAnalysis analysis_;
    RowCache cache_;
    ViewIndex view_;
    std::vector<int> columnOfField_;
    std::vector<int> descriptionOfField_;
    std::int64_t current_ = -1; // cache index; -1: the first visible row, not yet looked for
    std::int64_t recordCounter_ = 0;
    std::int64_t lastId_ = 0;
    bool firstFetch_ = true;
    bool atEnd_ = false;
    bool readOnly_ = true;
};
