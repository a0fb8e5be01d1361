// A database of the alias layer: a connection to the ODBC data source named by AliasName.
#pragma once

#include "transfer/odbc_handles.h"

#include <string>

class TOdbcSession;

class TOdbcDatabase {
public:
    explicit TOdbcDatabase(TOdbcSession* session = nullptr); // nullptr: the default session
    ~TOdbcDatabase();
    TOdbcDatabase(const TOdbcDatabase&) = delete;
    TOdbcDatabase& operator=(const TOdbcDatabase&) = delete;

    std::string AliasName;    // the data source name
    std::string DatabaseName; // the name queries refer to this database by
    std::string SessionName = "Default";
    // Sign-on for the data source; empty leaves the data source's own settings in force.
    std::string UserName, Password;

    // Connects to the data source AliasName; raises EOdbcError with the driver's text.
    void Open();
    void Close();
    bool Connected() const { return static_cast<bool>(connection_); }
    SQLHDBC Connection() const { return connection_.Get(); }

private:
    TOdbcSession* session_;
    OdbcHandle connection_;
};
