// TMySQLDatabase: the connection component the rest of the program sets up and connects, with
// the statement operations used by the query and transaction components.
#pragma once

#include "data/dir_connect.h"
#include "data/transaction_link.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TMySQLQuery;

class TMySQLDatabase {
public:
    TMySQLDatabase() = default;
    // Closes its queries and the connection, and leaves the queries without a database.
    ~TMySQLDatabase();
    TMySQLDatabase(const TMySQLDatabase&) = delete;
    TMySQLDatabase& operator=(const TMySQLDatabase&) = delete;

    const std::string& Host() const { return host_; }
    void SetHost(const std::string& host); // disconnects first
    const std::string& Database() const { return database_; }
    void SetDatabase(const std::string& database); // disconnects first
    const std::string& Login() const { return login_; }
    void SetLogin(const std::string& login) { login_ = login; }
    const std::string& Password() const { return password_; }
    void SetPassword(const std::string& password) { password_ = password; }
    // Kept for the windows that show it; connections always use port 3306.
    const std::string& Port() const { return port_; }
    void SetPort(const std::string& port) { port_ = port; }
    bool Connected() const { return connected_; }
    // True while connected and the server still holds the connection (it is asked). A connection
    // the server has dropped is disconnected here, its queries closed, and the answer is false.
    bool StillConnected();
    void SetConnected(bool connected);

    // Called at the start of every connect attempt; the handler may still change the properties.
    std::function<void(TMySQLDatabase&)> OnLogin;
    // Called after each connect that succeeded, before any query runs on the new connection.
    std::function<void(TMySQLDatabase&)> AfterConnect;

    void Connect();
    // Connect() for a component that uses this database: throws `missing` when there is no
    // database, `failed` when it does not connect.
    static void ConnectFor(TMySQLDatabase* database, const char* missing, const char* failed);
    // Closes every open query of this database first (their results belong to the connection),
    // then the connection.
    void Disconnect();

    // The first column of the first row of "SELECT " + expression; empty for no row or NULL.
    std::string SelectValue(const std::string& expression);
    // Runs one statement and discards every result it answers (all of them, as for a CALL); a
    // failure in any of them raises. Answers the rows it matched (connections count found rows,
    // not only changed ones) and the insert id.
    ExecResult ExecSQL(const std::string& statement);
    // The next value of the server-side generator name (0 when the answer is not a number).
    std::int64_t GetGen(const std::string& name);

    // The connection the query components run their statements on.
    TDirMySQLConnect& DirConnect() { return connect_; }

    // Queries set to this database; they attach and detach themselves.
    void AttachQuery(TMySQLQuery* query);
    void DetachQuery(TMySQLQuery* query);

private:
    void CheckConnected() const;

    std::string host_, database_, login_, password_;
    std::string port_ = "33600";
    bool connected_ = false;
    TDirMySQLConnect connect_;
    std::vector<TMySQLQuery*> queries_;
};
