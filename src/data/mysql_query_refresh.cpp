// Running a query's statement again in place of the rows held: Refresh, which finds the row that
// was current by its key afterwards, and Rerun, for a statement that changed (a detail query on a
// new master row).
#include "data/mysql_query.h"

#include "data/db_error.h"
#include "data/dir_connect.h"
#include "data/server_role.h"

#include <algorithm>

void TMySQLQuery::MoveToCacheRow(std::int64_t index) {
    GotoBookmark(cache_.Row(static_cast<std::size_t>(index))->recNo);
}

void TMySQLQuery::ResyncToFirst() {
    InvalidateViewRows();
    current_ = -1;
    Resync(true);
    First();
}

void TMySQLQuery::Refresh() {
    CheckBrowseMode();
    // Pending changes are written first; the rows read again replace the cache and its log.
    if (writer_.Pending())
        ApplyUpdates();
    const std::size_t rowsBefore = cache_.Count();
    ResolveCurrent();
    const std::int64_t before = current_;

    // The key of the current row: the primary key fields of the first table when the dataset
    // has all of them; otherwise, table by table, their primary key fields or all their fields.
    // A primary key the dataset holds only in part tells no row from another: then every field
    // makes the key.
    std::vector<std::size_t> keyFields;
    bool partKey = false;
    for (const std::string& table : analysis_.Tables()) {
        std::vector<std::size_t> primary, all;
        std::vector<std::string> primaryColumns;
        for (std::size_t f = 0; f < FieldCount(); ++f) {
            const int d = descriptionOfField_[f];
            if (d < 0 || analysis_.Fields()[static_cast<std::size_t>(d)].Table != table)
                continue;
            all.push_back(f);
            const TMySQLField& desc = analysis_.Fields()[static_cast<std::size_t>(d)];
            if (desc.KeyKind == 1) {
                primary.push_back(f);
                if (std::find(primaryColumns.begin(), primaryColumns.end(), desc.Column) ==
                    primaryColumns.end())
                    primaryColumns.push_back(desc.Column);
            }
        }
        if (!primary.empty() && primaryColumns.size() < analysis_.PrimaryKeyOf(table).size())
            partKey = true;
        const std::vector<std::size_t>& add = primary.empty() ? all : primary;
        keyFields.insert(keyFields.end(), add.begin(), add.end());
        if (!partKey && !primary.empty() && &table == &analysis_.Tables().front())
            break;
    }
    if (keyFields.empty() || partKey) {
        keyFields.clear();
        for (std::size_t f = 0; f < FieldCount(); ++f)
            keyFields.push_back(f);
    }
    std::vector<std::string> keyValues;
    if (before >= 0) {
        const RowRef row = cache_.Row(static_cast<std::size_t>(before));
        for (std::size_t f : keyFields)
            keyValues.push_back(
                ExactText(Field(f).DataType(), Field(f).IsUnsigned(), cache_.Value(row, f)));
    }

    Rerun(link_.LinkedStatement(SQLText()), "Error refreshing query", true);
    FetchUpTo(rowsBefore);
    currentRowGone_ = false;
    std::int64_t target = -1;
    if (before >= 0) {
        target = filter_.FindMatching(keyFields, filter_.KeyMatchers(keyFields, keyValues, 0));
        if (target < 0) {
            // The row is gone: the row now at its place, else the nearest one before it.
            currentRowGone_ = true;
            target = FindVisibleFrom(std::min<std::int64_t>(
                before, std::max<std::int64_t>(0, static_cast<std::int64_t>(cache_.Count()) - 1)));
            for (std::int64_t i = std::min<std::int64_t>(before, cache_.Count()) - 1;
                 target < 0 && i >= 0; --i)
                if (RowVisible(static_cast<std::size_t>(i)))
                    target = i;
        }
    }
    Resync(target >= 0 || FindVisibleFrom(0) >= 0);
    if (target >= 0)
        MoveToCacheRow(target);
    else
        First();
}

void TMySQLQuery::Rerun(const std::string& statement, const char* errorText,
                        bool keepRowsOnFailure) {
    // Rows kept while the statement runs are every row; rows that go need not come.
    if (keepRowsOnFailure)
        FinishStream();
    else
        GiveUpStream();
    dirQuery_.Close();
    if (keepRowsOnFailure) {
        // The rows read before stay while the statement has not answered: a refresh that fails
        // leaves the grid and its row count as they were.
        if (!OpenAgain(statement)) {
            atEnd_ = true;
            throw EDatabaseError(errorText);
        }
    }
    cache_.Clear();
    writer_.Clear();
    InvalidateViewRows();
    filter_.ForgetFault();
    recordCounter_ = lastId_ = rowsAddedOrRemoved_ = 0;
    current_ = -1;
    atEnd_ = false;
    firstFetch_ = true;
    readAhead_ = false;
    if (!keepRowsOnFailure && !OpenAgain(statement)) {
        atEnd_ = true;
        Resync(false);
        throw EDatabaseError(errorText);
    }
    // Read as opening reads them: a result streamed on the database's connection is read to its
    // end before the connection carries anything else.
    if (StreamRows && StoreResult && StartStream()) {
        // The rest arrives beside the window.
    } else if (QueryAllRecords) {
        FetchAll();
    } else if (StoreResult) {
        ReadAhead();
    }
}

bool TMySQLQuery::OpenAgain(const std::string& statement) {
    dirQuery_.Sql = statement;
    dirQuery_.Open();
    // A connection the server dropped (it went away, or was restarted) is made again once: the
    // statement only reads, so running it again is safe.
    auto* connect = dynamic_cast<TDirMySQLConnect*>(dirQuery_.Connect);
    if (!dirQuery_.Active && connect && ConnectionLost(connect->Handle()) &&
        connect->Connect() == dsConnected)
        dirQuery_.Open();
    return dirQuery_.Active;
}
