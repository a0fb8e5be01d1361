#include "data/mysql_query.h"

#include "data/column_defaults.h"
#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/sql_scanner.h"
#include "data/text_utils.h"
#include "data/transaction_link.h"

#include <algorithm>
#include <set>

namespace {

constexpr unsigned kBinaryCharset = 63;
constexpr unsigned kResultBytesPerChar = 4; // every connection reads utf8mb4

// The edits of a table's second side would be written over by the first: such a statement is not
// edited.
bool JoinsATableToItself(const std::vector<std::string>& tables) {
    for (std::size_t i = 0; i < tables.size(); ++i)
        for (std::size_t k = i + 1; k < tables.size(); ++k)
            if (EqualsNoCase(tables[i], tables[k]))
                return true;
    return false;
}

} // namespace

TMySQLQuery::~TMySQLQuery() {
    Close();
    SetMasterSource(nullptr);
    if (database_)
        database_->DetachQuery(this);
}

void TMySQLQuery::SetSQL(std::vector<std::string> lines) {
    Close();
    sql_ = std::move(lines);
}

void TMySQLQuery::SetSQLText(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    SetSQL(std::move(lines));
}

std::string TMySQLQuery::SQLText() const {
    std::string text;
    for (std::size_t i = 0; i < sql_.size(); ++i) {
        if (i)
            text += '\n';
        text += sql_[i];
    }
    return text;
}

void TMySQLQuery::SetDatabase(TMySQLDatabase* database) {
    Close();
    if (database_ == database)
        return;
    if (database_)
        database_->DetachQuery(this);
    database_ = database;
    if (database_)
        database_->AttachQuery(this);
}

void TMySQLQuery::SetTransaction(TransactionLink* transaction) {
    Close();
    transaction_ = transaction;
}

bool TMySQLQuery::CanModify() const {
    return Active() && RequestLive && !readOnly_;
}

const TMySQLField* TMySQLQuery::Description(const TField& field) const {
    const std::size_t i = field.Index();
    if (i >= descriptionOfField_.size() || descriptionOfField_[i] < 0)
        return nullptr;
    return &analysis_.Fields()[static_cast<std::size_t>(descriptionOfField_[i])];
}

void TMySQLQuery::CheckComponents() {
    TMySQLDatabase::ConnectFor(database_, dberr::kNoConnectionComponent, dberr::kDatabaseConnect);
    // Rows of a live result are written back through the transaction component.
    if (RequestLive) {
        if (!transaction_)
            throw EDatabaseError(dberr::kNoTransactionComponent);
        transaction_->Connect();
        if (!transaction_->Connected())
            throw EDatabaseError(dberr::kTransactServerConnect);
    }
}

void TMySQLQuery::InternalOpen() {
    cache_.Clear();
    view_.Invalidate();
    writer_.Clear();
    rowsAddedOrRemoved_ = 0;
    readOnly_ = true;
    statementSent_ = false;
    recordCounter_ = lastId_ = 0;
    current_ = -1;
    atEnd_ = false;
    firstFetch_ = true;
    readAhead_ = false;

    CheckComponents();
    const std::string statement = SQLText();
    TDirMySQLConnect& dbConnect = database_->DirConnect();
    // The analysis runs first: its SHOW COLUMNS statements need the database's connection, which
    // is busy while the rows of a streamed result are still unread.
    if (!analysis_.Analyse(statement, dbConnect, RequestLive) ||
        JoinsATableToItself(analysis_.Tables()))
        RequestLive = false;

    TDirMySQLConnect* connect = &dbConnect;
    // Rows always come as a stream. With StoreResult the whole result is read at open on the
    // database's connection, straight into the cache's arena, where the rows wait until the views
    // ask for them: every row is held once, and the connection is free again when Open returns.
    // Without it they are read as needed over a connection of the query's own.
    if (!StoreResult) {
        ownConnect_ = std::make_unique<TDirMySQLConnect>();
        if (ownConnect_->ConnectTo(dbConnect.Host, dbConnect.Port, dbConnect.Database,
                                   dbConnect.Login, dbConnect.Password) != dsConnected) {
            ownConnect_.reset();
            throw EDatabaseError(dberr::kDatabaseConnect);
        }
        connect = ownConnect_.get();
    }
    dirQuery_.Connect = connect;
    dirQuery_.SetStoreResult(false);
    dirQuery_.Sql = link_.LinkedStatement(statement);
    statementSent_ = true;
    dirQuery_.Open();
    if (!dirQuery_.Active) {
        if (dirQuery_.RanWithoutResult())
            throw ENoResultSet(dirQuery_.AffectedRows());
        ThrowConnectError(*connect, dberr::kNoResultSet);
    }

    BuildFields();
    filter_.Opened();
    link_.RebuildMatchers();
    readOnly_ = !RequestLive;
    SetDefaultExpressions();
    // Every row, also those that cached updates do not show: a result streamed on the database's
    // connection is read to its end before the connection carries anything else.
    if (StreamRows && StoreResult && StartStream()) {
        // The rest arrives beside the window.
    } else if (QueryAllRecords) {
        while (FetchOne()) {
        }
    } else if (StoreResult) {
        ReadAhead();
    }
    if (QueryAllRecords || StoreResult)
        WidenUndescribedFields();
}

void TMySQLQuery::BuildFields() {
    const int n = dirQuery_.GetFieldCount();
    std::vector<CellKind> kinds;
    // A result column takes the description of the table column the server says it reads, by its
    // place in the result, never by a name that an alias may have given to something else.
    std::vector<bool> taken(analysis_.Fields().size(), false);
    std::set<std::pair<std::string, std::string>> written; // table, column
    for (int i = 0; i < n; ++i) {
        const std::string name = dirQuery_.GetFieldName(i);
        const MYSQL_FIELD* source = dirQuery_.ResultField(i);
        const int d = source
                          ? analysis_.FindSource({source->db, source->db_length},
                                                 {source->org_table, source->org_table_length},
                                                 {source->org_name, source->org_name_length}, taken)
                          : -1;
        // Written only through a column of its table: an expression, a column of a view that
        // stands for one, and a column shown a second time (its first place is written) are not.
        bool readOnly = d < 0;
        if (d >= 0) {
            taken[static_cast<std::size_t>(d)] = true;
            const TMySQLField& desc = analysis_.Fields()[static_cast<std::size_t>(d)];
            readOnly = !desc.Writable || !written.insert({desc.Table, desc.Column}).second;
        }
        FieldType type = FieldType::String;
        std::int64_t size = 0;
        bool isUnsigned = false;
        if (d >= 0) {
            const TMySQLField& desc = analysis_.Fields()[static_cast<std::size_t>(d)];
            type = desc.DataType;
            size = desc.Size;
            isUnsigned = desc.Unsigned;
        } else {
            const MYSQL_FIELD* f = dirQuery_.ResultField(i);
            std::int64_t defined = f ? static_cast<std::int64_t>(f->length) : 0;
            if (f && f->charsetnr != kBinaryCharset)
                defined /= kResultBytesPerChar;
            size = std::max(defined, dirQuery_.GetFieldMaxSize(i));
        }
        AddField(name, type, size, isUnsigned);
        Field(static_cast<std::size_t>(i)).ReadOnly = RequestLive && readOnly;
        columnOfField_.push_back(dirQuery_.GetFieldIndex(name));
        descriptionOfField_.push_back(d);
        kinds.push_back(CellKindOf(type, isUnsigned));
    }
    cache_.Reset(std::move(kinds));
}

void TMySQLQuery::SetDefaultExpressions() {
    for (std::size_t f = 0; f < FieldCount(); ++f) {
        TField* field = &Field(f);
        const TMySQLField* d = Description(*field);
        if (!d || !field->DefaultExpression.empty())
            continue;
        const TMySQLField& desc = *d;
        std::string text = DefaultValueText(desc);
        if (text.empty() && desc.KeyKind != 0)
            text = TraitsOf(desc.DataType).zeroText;
        field->DefaultExpression = text;
    }
}

void TMySQLQuery::WidenUndescribedFields(std::size_t from) {
    const std::size_t rows = cache_.Count() + cache_.WaitingCount();
    for (std::size_t f = 0; f < FieldCount(); ++f) {
        if (descriptionOfField_[f] >= 0)
            continue;
        std::int64_t longest = Field(f).Size();
        for (std::size_t r = from; r < rows; ++r)
            longest = std::max(longest, Utf8Length(cache_.Value(cache_.AnyRow(r), f).text));
        Field(f).SetSize(longest);
    }
}

void TMySQLQuery::ReadAhead() {
    for (bool first = true;; first = false) {
        if (!first)
            dirQuery_.Next();
        const MYSQL_ROW row = dirQuery_.CurrentRow();
        if (!row) {
            // A read that broke off is an error, not the end of the rows.
            if (dirQuery_.ReadFailed())
                ThrowConnectError(*dirQuery_.MySQLConnect());
            break;
        }
        cache_.AppendWaiting(row, dirQuery_.CurrentLengths(), columnOfField_.data());
    }
    readAhead_ = true;
}

void TMySQLQuery::InternalClose() {
    // A reader still streaming finishes alone, beside the window.
    GiveUpStream();
    OnRowsArrived = nullptr;
    FinishOwnConnection();
    dirQuery_.Close();
    ownConnect_.reset();
    analysis_.Clear();
    cache_.Clear();
    view_.Invalidate();
    writer_.Clear();
    rowsAddedOrRemoved_ = 0;
    columnOfField_.clear();
    descriptionOfField_.clear();
    filter_.ForgetFault();
    current_ = -1;
    recordCounter_ = lastId_ = 0;
    atEnd_ = false;
    firstFetch_ = true;
    readAhead_ = false;
    readOnly_ = true;
    retiredStream_.reset();
}

bool TMySQLQuery::CanFetch() const {
    return !atEnd_ && !(CachedUpdates && !(ShowRecordTypes & rtUnmodified));
}

bool TMySQLQuery::FetchOne() {
    if (readAhead_) {
        if (cache_.WaitingCount() == 0 && stream_) {
            // Rows that arrive go into the cache at once with QueryAllRecords.
            const std::size_t had = cache_.Count();
            const auto arrived = [&] {
                return cache_.WaitingCount() != 0 || cache_.Count() != had || !stream_;
            };
            TakeStreamed();
            // A view takes the rows that have arrived; it hears when more come.
            if (!arrived() && streamWait_ == StreamWait::None)
                return false;
            while (!arrived())
                WaitForStreamed(streamWait_ == StreamWait::All);
            if (cache_.Count() != had)
                return true;
        }
        if (cache_.WaitingCount() == 0) {
            atEnd_ = true;
            // A read that broke off (or was stopped) is an error, not the end of the rows; it is
            // raised once.
            if (brokenOff_ && !brokenOffTold_) {
                brokenOffTold_ = true;
                std::rethrow_exception(brokenOff_);
            }
            return false;
        }
        cache_.TakeWaiting(++recordCounter_, ++lastId_);
        return true;
    }
    if (!dirQuery_.Active) {
        atEnd_ = true;
        return false;
    }
    if (!firstFetch_)
        dirQuery_.Next();
    firstFetch_ = false;
    MYSQL_ROW row = dirQuery_.CurrentRow();
    if (!row) {
        atEnd_ = true;
        // A read that broke off is an error, not the end of the rows.
        if (dirQuery_.ReadFailed())
            ThrowConnectError(*dirQuery_.MySQLConnect());
        return false;
    }
    cache_.AppendFromTexts(row, dirQuery_.CurrentLengths(), columnOfField_.data(), ++recordCounter_,
                           ++lastId_);
    return true;
}

void TMySQLQuery::FetchAll() {
    while (CanFetch() && FetchOne()) {
    }
}

bool TMySQLQuery::FetchUpTo(std::size_t rows) {
    while (cache_.Count() < rows && CanFetch() && FetchOne()) {
    }
    return cache_.Count() >= rows;
}

ValueView TMySQLQuery::CachedValue(std::size_t row, std::size_t field) const {
    return row < cache_.Count() ? cache_.Value(cache_.Row(row), field) : ValueView{};
}

namespace {

// Sets how far fetches wait for streamed rows, for the lifetime of the object.
template <typename T> class WaitingAs {
public:
    WaitingAs(T& wait, T how) : wait_(wait), before_(wait) { wait_ = how; }
    ~WaitingAs() { wait_ = before_; }
    WaitingAs(const WaitingAs&) = delete;
    WaitingAs& operator=(const WaitingAs&) = delete;

private:
    T& wait_;
    T before_;
};

} // namespace

std::int64_t TMySQLQuery::ReadRowsUpTo(std::int64_t rows) {
    const WaitingAs reading(streamWait_, StreamWait::Next);
    if (Active() && rows > 0)
        FetchUpTo(static_cast<std::size_t>(rows));
    return RowsRead();
}

ValueView TMySQLQuery::RowValue(std::int64_t recNo, std::size_t field) {
    if (!Active() || recNo < 1 || field >= FieldCount())
        return {};
    if (recNo > RowsRead())
        ReadRowsUpTo(recNo);
    return CachedValue(static_cast<std::size_t>(recNo - 1), field);
}

const ViewIndex& TMySQLQuery::UpdatedView() {
    view_.Update(cache_.Count(), [this](std::size_t i) { return RowVisible(i); });
    return view_;
}

std::int64_t TMySQLQuery::ViewRowCount() {
    return Active() ? static_cast<std::int64_t>(UpdatedView().Count()) : 0;
}

std::int64_t TMySQLQuery::ViewRowToRecNo(std::int64_t viewRow) {
    if (!Active() || viewRow < 1)
        return 0;
    return UpdatedView().PositionOf(static_cast<std::size_t>(viewRow - 1)) + 1;
}

std::int64_t TMySQLQuery::RecNoToViewRow(std::int64_t recNo) {
    if (!Active() || recNo < 1)
        return 0;
    return UpdatedView().ViewRowOf(static_cast<std::size_t>(recNo - 1)) + 1;
}

std::int64_t TMySQLQuery::ReadViewRowsUpTo(std::int64_t viewRows) {
    if (!Active())
        return 0;
    const WaitingAs reading(streamWait_, StreamWait::None);
    while (static_cast<std::int64_t>(UpdatedView().Count()) < viewRows && CanFetch() &&
           FetchOne()) {
    }
    return static_cast<std::int64_t>(UpdatedView().Count());
}

bool TMySQLQuery::RowVisible(std::size_t index) const {
    return StateVisible(index) && PassesLink(index) && filter_.Shows(index);
}

bool TMySQLQuery::StateVisible(std::size_t index) const {
    if (!CachedUpdates)
        return true;
    switch (cache_.Row(index)->state) {
    case rsInserted:
    case rsAppended:
        return ShowRecordTypes & rtInserted;
    case rsDeleted:
        return ShowRecordTypes & rtDeleted;
    case rsModified:
        return ShowRecordTypes & rtModified;
    default:
        return ShowRecordTypes & rtUnmodified;
    }
}

std::int64_t TMySQLQuery::FindVisibleFrom(std::int64_t index) {
    for (std::int64_t i = std::max<std::int64_t>(index, 0);; ++i) {
        if (i >= static_cast<std::int64_t>(cache_.Count()) && !(CanFetch() && FetchOne()))
            return -1;
        if (RowVisible(static_cast<std::size_t>(i)))
            return i;
    }
}

void TMySQLQuery::ResolveCurrent() {
    if (current_ < 0)
        current_ = FindVisibleFrom(0);
}

bool TMySQLQuery::InternalFirst() {
    current_ = -1;
    for (std::size_t i = 0; i < cache_.Count(); ++i)
        if (RowVisible(i))
            return true;
    if (!CanFetch())
        return false;
    // Right after opening the first row is known to exist without reading it into the cache.
    if (!MayHideRows()) {
        if (readAhead_ && cache_.Count() == 0)
            return cache_.WaitingCount() > 0;
        if (firstFetch_ && !readAhead_)
            return dirQuery_.Active && dirQuery_.CurrentRow() != nullptr;
    }
    return FindVisibleFrom(static_cast<std::int64_t>(cache_.Count())) >= 0;
}

bool TMySQLQuery::InternalLast() {
    FetchAll();
    for (std::int64_t i = static_cast<std::int64_t>(cache_.Count()) - 1; i >= 0; --i) {
        if (RowVisible(static_cast<std::size_t>(i))) {
            current_ = i;
            return true;
        }
    }
    current_ = -1;
    return false;
}

bool TMySQLQuery::InternalNext() {
    const WaitingAs stepping(streamWait_, StreamWait::Next); // the next row is all it needs
    ResolveCurrent();
    if (current_ < 0)
        return false;
    const std::int64_t next = FindVisibleFrom(current_ + 1);
    if (next < 0)
        return false;
    current_ = next;
    return true;
}

bool TMySQLQuery::InternalPrior() {
    ResolveCurrent();
    for (std::int64_t i = current_ - 1; i >= 0; --i) {
        if (RowVisible(static_cast<std::size_t>(i))) {
            current_ = i;
            return true;
        }
    }
    return false;
}

std::int64_t TMySQLQuery::InternalRecordCount() {
    // The count of a streamed result is known once its last row has arrived.
    FinishStream();
    if (readAhead_)
        return static_cast<std::int64_t>(cache_.Count() + cache_.WaitingCount());
    return atEnd_ ? static_cast<std::int64_t>(cache_.Count())
                  : dirQuery_.GetRecordCount() + rowsAddedOrRemoved_;
}

std::int64_t TMySQLQuery::InternalRecNo() {
    if (current_ >= 0)
        return current_ + 1;
    // Before the first move: the first visible row read so far, without reading one.
    for (std::size_t i = 0; i < cache_.Count(); ++i)
        if (RowVisible(i))
            return static_cast<std::int64_t>(i) + 1;
    return RowsArrived() > 0 ? 1 : 0;
}

bool TMySQLQuery::InternalSetRecNo(std::int64_t recNo) {
    const WaitingAs stepping(streamWait_, StreamWait::Next);
    FetchUpTo(static_cast<std::size_t>(recNo));
    if (cache_.Count() == 0)
        return false;
    current_ = std::min<std::int64_t>(recNo, static_cast<std::int64_t>(cache_.Count())) - 1;
    return true;
}

Bookmark TMySQLQuery::InternalGetBookmark() {
    ResolveCurrent();
    if (current_ < 0)
        throw EDatabaseError(dberr::kNoMoreRecords);
    return cache_.Row(static_cast<std::size_t>(current_))->recNo;
}

void TMySQLQuery::InternalGotoBookmark(Bookmark bookmark) {
    const std::int64_t guess = bookmark - 1;
    if (guess >= 0 && guess < static_cast<std::int64_t>(cache_.Count()) &&
        cache_.Row(static_cast<std::size_t>(guess))->recNo == bookmark) {
        current_ = guess;
        return;
    }
    for (std::size_t i = 0; i < cache_.Count(); ++i) {
        if (cache_.Row(i)->recNo == bookmark) {
            current_ = static_cast<std::int64_t>(i);
            return;
        }
    }
    throw EDatabaseError(dberr::kBookmarkNotFound);
}

ValueView TMySQLQuery::InternalCurrentValue(std::size_t field) {
    ResolveCurrent();
    if (current_ < 0)
        return {};
    return cache_.Value(cache_.Row(static_cast<std::size_t>(current_)), field);
}

StoredValue TMySQLQuery::InternalCurrentText(std::size_t field, std::string_view& text) {
    if (current_ < 0)
        ResolveCurrent();
    if (current_ < 0 ||
        !cache_.StoredText(cache_.Block(static_cast<std::size_t>(current_)), field, text))
        return StoredValue::Null;
    return StoredValue::Text;
}
