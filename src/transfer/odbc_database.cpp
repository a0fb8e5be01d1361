#include "transfer/odbc_database.h"

#include "transfer/odbc_session.h"

TOdbcDatabase::TOdbcDatabase(TOdbcSession* session) : session_(session) {}

TOdbcDatabase::~TOdbcDatabase() {
    Close();
}

void TOdbcDatabase::Open() {
    if (Connected())
        return;
    TOdbcSession& session = session_ ? *session_ : DefaultOdbcSession();
    OdbcHandle connection(SQL_HANDLE_DBC, session.Environment());
    auto text = [](const std::string& s) {
        return reinterpret_cast<SQLCHAR*>(const_cast<char*>(s.c_str()));
    };
    CheckOdbc(SQLConnect(connection.Get(), text(AliasName), SQL_NTS, text(UserName), SQL_NTS,
                         text(Password), SQL_NTS),
              connection, ("Data source " + AliasName + " could not be opened").c_str());
    connection_ = std::move(connection);
}

void TOdbcDatabase::Close() {
    if (!connection_)
        return;
    SQLDisconnect(connection_.Get());
    connection_.Reset();
}
