#include "data/mysql_database.h"

#include "data/blocking_calls.h"
#include "data/db_error.h"
#include "data/dir_query.h"
#include "data/mysql_query.h"
#include "data/sql_values.h"
#include "data/statement_results.h"

#include <algorithm>
#include <charconv>

TMySQLDatabase::~TMySQLDatabase() {
    Disconnect();
    for (TMySQLQuery* query : std::vector<TMySQLQuery*>(queries_))
        query->SetDatabase(nullptr);
}

void TMySQLDatabase::AttachQuery(TMySQLQuery* query) {
    if (query && std::find(queries_.begin(), queries_.end(), query) == queries_.end())
        queries_.push_back(query);
}

void TMySQLDatabase::DetachQuery(TMySQLQuery* query) {
    queries_.erase(std::remove(queries_.begin(), queries_.end(), query), queries_.end());
}

void TMySQLDatabase::SetHost(const std::string& host) {
    Disconnect();
    host_ = host;
}

void TMySQLDatabase::SetDatabase(const std::string& database) {
    Disconnect();
    database_ = database;
}

void TMySQLDatabase::SetConnected(bool connected) {
    if (connected == connected_)
        return;
    if (connected)
        Connect();
    else
        Disconnect();
}

void TMySQLDatabase::ConnectFor(TMySQLDatabase* database, const char* missing, const char* failed) {
    if (!database)
        throw EDatabaseError(missing);
    database->Connect();
    if (!database->Connected())
        throw EDatabaseError(failed);
}

void TMySQLDatabase::Connect() {
    if (connected_)
        return;
    if (OnLogin)
        OnLogin(*this);
    connect_.Host = host_;
    connect_.Database = database_;
    connect_.Login = login_;
    connect_.Password = password_;
    if (connect_.Connect() != dsConnected)
        ThrowConnectError(connect_);
    connected_ = true;
    if (AfterConnect)
        AfterConnect(*this);
}

void TMySQLDatabase::Disconnect() {
    // A query's result may still be reading from the connection; it goes before the connection.
    for (TMySQLQuery* query : std::vector<TMySQLQuery*>(queries_))
        query->Close();
    if (!connected_)
        return;
    connect_.Disconnect();
    connected_ = false;
}

bool TMySQLDatabase::StillConnected() {
    if (!connected_)
        return false;
    if (connect_.ServerStillThere())
        return true;
    Disconnect();
    return false;
}

void TMySQLDatabase::CheckConnected() const {
    if (!connected_)
        throw EDatabaseError(dberr::kNotConnectedYet);
}

std::string TMySQLDatabase::SelectValue(const std::string& expression) {
    CheckConnected();
    TDirMySqlQuery query(&connect_);
    query.Sql = "SELECT " + expression;
    query.Open();
    if (query.GetStatus() != dsRows)
        ThrowConnectError(connect_);
    return query.GetField(0);
}

ExecResult TMySQLDatabase::ExecSQL(const std::string& statement) {
    CheckConnected();
    MYSQL* h = connect_.Handle();
    bool ran = false;
    if (!RunBlockingCall(h, [&] { ran = RunAndDrain(h, statement); }) || !ran)
        ThrowConnectError(connect_);
    // The counts of the last result: for one INSERT, UPDATE or DELETE its own.
    const ClientApi& c = Client();
    ExecResult result;
    const my_ulonglong matched = c.mysql_affected_rows(h);
    result.matchedRows = matched == static_cast<my_ulonglong>(-1) ? 0 : matched;
    result.insertId = c.mysql_insert_id(h);
    result.countsKnown = true;
    return result;
}

std::int64_t TMySQLDatabase::GetGen(const std::string& name) {
    CheckConnected();
    // The name goes in as a value quoted for this session's sql_mode, so no name can change the
    // statement's shape.
    const std::string text = SelectValue("GETGEN(" + QuoteSqlValue(connect_.Handle(), name) + ")");
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}
