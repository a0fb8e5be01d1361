#include "data/mysql_database.h"

#include "data/db_error.h"
#include "data/dir_query.h"
#include "data/sql_names.h"
#include "data/sql_scanner.h"

#include <charconv>

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
        throw EDatabaseError(connect_.GetErrorMsg());
    connected_ = true;
}

void TMySQLDatabase::Disconnect() {
    if (!connected_)
        return;
    connect_.Disconnect();
    connected_ = false;
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
        throw EDatabaseError(connect_.GetErrorMsg());
    return query.GetField(0);
}

ExecResult TMySQLDatabase::ExecSQL(const std::string& statement) {
    CheckConnected();
    const ClientApi& c = Client();
    MYSQL* h = connect_.Handle();
    if (c.mysql_real_query(h, statement.data(), static_cast<unsigned long>(statement.size())) != 0)
        throw EDatabaseError(connect_.GetErrorMsg());
    std::string rest = statement, first;
    ExtractToken(rest, first);
    // Rows of SELECT and SHOW, and of any other statement that answers some, are fetched and
    // dropped so that the next statement can follow on the same handle.
    if (EqualsNoCase(first, "SELECT") || EqualsNoCase(first, "SHOW") ||
        (c.mysql_field_count && c.mysql_field_count(h) > 0)) {
        ClientResult(c.mysql_store_result(h));
        return {};
    }
    ExecResult result;
    const my_ulonglong matched = c.mysql_affected_rows(h);
    result.matchedRows = matched == static_cast<my_ulonglong>(-1) ? 0 : matched;
    result.insertId = c.mysql_insert_id(h);
    result.countsKnown = true;
    return result;
}

std::int64_t TMySQLDatabase::GetGen(const std::string& name) {
    CheckConnected();
    // The name goes in as a quoted value, so no name can change the statement's shape.
    const std::string text = SelectValue("GETGEN(" + QuoteValue(name) + ")");
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}
