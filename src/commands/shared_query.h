// The data module's connection, transaction and query behind the main window's grid, shared by
// the browser and the query editor.
#pragma once

#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"
#include "data/server_role.h"

#include <string>

class SharedQuery {
public:
    // Reads the server's role at each connect of MySQLDatabase1 and asks before MySQLQuery1
    // writes to a read-only server or a replica (once per connection).
    SharedQuery();
    virtual ~SharedQuery() = default;
    SharedQuery(const SharedQuery&) = delete;
    SharedQuery& operator=(const SharedQuery&) = delete;

    // Closes MySQLQuery1, empties its statement and disconnects MySQLDatabase1.
    void CloseSharedQuery();
    // CloseSharedQuery() when MySQLDatabase1 is connected, then sets it up (in this order:
    // database, host, login, password) without connecting.
    void PrepareSharedDatabase(const std::string& database, const std::string& host,
                               const std::string& login, const std::string& password);

    TMySQLDatabase MySQLDatabase1;
    TMySQLTransact MySQLTransact1; // on MySQLDatabase1
    TMySQLQuery MySQLQuery1;       // on MySQLDatabase1, writes rows through MySQLTransact1

    // What the server of MySQLDatabase1 said of itself at its last connect (nothing when it is
    // not connected).
    ServerRole ConnectedServerRole() const;

private:
    void ConfirmWriteToReadOnlyServer();

    ServerRole role_;
    bool writesConfirmed_ = false;
};
