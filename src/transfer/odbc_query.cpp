#include "transfer/odbc_query.h"

#include "transfer/odbc_database.h"

TOdbcQuery::~TOdbcQuery() {
    Close();
}

void TOdbcQuery::InternalOpen() {
    if (!database_)
        throw EDatabaseError(dberr::kNoConnectionComponent);
    database_->Open();
    std::string statementText;
    for (const std::string& line : SQL) {
        if (!statementText.empty())
            statementText += '\n';
        statementText += line;
    }
    OdbcHandle statement(SQL_HANDLE_STMT, database_->Connection());
    CheckOdbc(SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(statementText.data()),
                            static_cast<SQLINTEGER>(statementText.size())),
              statement, "The statement failed");
    SQLSMALLINT columnCount = 0;
    CheckOdbc(SQLNumResultCols(statement.Get(), &columnCount), statement,
              "The statement's columns could not be read");
    if (columnCount <= 0)
        throw EDatabaseError(dberr::kNoResultSet);
    columns_.clear();
    for (SQLUSMALLINT c = 1; c <= static_cast<SQLUSMALLINT>(columnCount); ++c) {
        columns_.push_back(DescribeOdbcColumn(statement, c));
        const OdbcColumn& column = columns_.back();
        const bool isText = column.fieldType == FieldType::String;
        AddField(column.name, column.fieldType, isText ? static_cast<std::int64_t>(column.size) : 0,
                 column.isUnsigned);
    }
    // The driver's row count after a SELECT is not reliable: the rows are counted as read.
    rows_.clear();
    for (;;) {
        const SQLRETURN r = SQLFetch(statement.Get());
        if (r == SQL_NO_DATA)
            break;
        CheckOdbc(r, statement, "A row could not be read");
        std::vector<FieldValue> row;
        row.reserve(columns_.size());
        for (std::size_t c = 0; c < columns_.size(); ++c)
            row.push_back(ReadOdbcValue(statement, static_cast<SQLUSMALLINT>(c + 1), columns_[c]));
        rows_.push_back(std::move(row));
    }
    current_ = -1;
}

void TOdbcQuery::InternalClose() {
    rows_.clear();
    rows_.shrink_to_fit();
    columns_.clear();
    current_ = -1;
}

bool TOdbcQuery::InternalFirst() {
    current_ = rows_.empty() ? -1 : 0;
    return !rows_.empty();
}

bool TOdbcQuery::InternalLast() {
    current_ = static_cast<std::int64_t>(rows_.size()) - 1;
    return !rows_.empty();
}

bool TOdbcQuery::InternalNext() {
    if (current_ + 1 >= static_cast<std::int64_t>(rows_.size()))
        return false;
    ++current_;
    return true;
}

bool TOdbcQuery::InternalPrior() {
    if (current_ <= 0)
        return false;
    --current_;
    return true;
}

bool TOdbcQuery::InternalSetRecNo(std::int64_t recNo) {
    if (recNo < 1 || recNo > static_cast<std::int64_t>(rows_.size()))
        return false;
    current_ = recNo - 1;
    return true;
}

void TOdbcQuery::InternalGotoBookmark(Bookmark bookmark) {
    if (!InternalSetRecNo(bookmark))
        throw EDatabaseError(dberr::kBookmarkNotFound);
}

ValueView TOdbcQuery::InternalCurrentValue(std::size_t field) {
    if (current_ < 0 || current_ >= static_cast<std::int64_t>(rows_.size()))
        return {};
    return rows_[static_cast<std::size_t>(current_)][field].View();
}

ValueView TOdbcQuery::RowValue(std::int64_t recNo, std::size_t field) {
    if (recNo < 1 || recNo > static_cast<std::int64_t>(rows_.size()) || field >= columns_.size())
        return {};
    return rows_[static_cast<std::size_t>(recNo - 1)][field].View();
}
