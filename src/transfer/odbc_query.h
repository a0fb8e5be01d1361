// A query of the alias layer: SQL lines run on a TOdbcDatabase, its rows shown like any dataset
// (read-only). Opening runs the statement and reads every row, so the row count is known and the
// statement handle is given back at once.
#pragma once

#include "data/dataset.h"
#include "transfer/odbc_values.h"

#include <string>
#include <vector>

class TOdbcDatabase;

class TOdbcQuery : public TDataSet {
public:
    TOdbcQuery() = default;
    ~TOdbcQuery() override;

    std::string DatabaseName;
    std::string SessionName = "Default";
    // The statement, one line each; joined by line feeds when the query opens.
    std::vector<std::string> SQL;

    // The database the statement runs on; opening the query opens it when it is closed.
    void SetDatabase(TOdbcDatabase* database) { database_ = database; }
    TOdbcDatabase* Database() const { return database_; }

    std::int64_t RowsRead() override { return static_cast<std::int64_t>(rows_.size()); }
    bool AllRowsRead() override { return true; }
    std::int64_t ReadRowsUpTo(std::int64_t) override { return RowsRead(); }
    ValueView RowValue(std::int64_t recNo, std::size_t field) override;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    bool InternalFirst() override;
    bool InternalLast() override;
    bool InternalNext() override;
    bool InternalPrior() override;
    std::int64_t InternalRecordCount() override { return RowsRead(); }
    std::int64_t InternalRecNo() override { return current_ + 1; }
    bool InternalSetRecNo(std::int64_t recNo) override;
    Bookmark InternalGetBookmark() override { return current_ + 1; }
    void InternalGotoBookmark(Bookmark bookmark) override;
    ValueView InternalCurrentValue(std::size_t field) override;

private:
    TOdbcDatabase* database_ = nullptr;
    std::vector<OdbcColumn> columns_;
    std::vector<std::vector<FieldValue>> rows_;
    std::int64_t current_ = -1; // index into rows_
};
