// TMySQLTransact: carries the statements that write rows. In plain mode it passes each statement
// to its database; with UseTransServer it sends them to a transact-server, logged in with the
// database's login, and with AutoCommit follows every statement with a COMMIT.
#pragma once

#include "data/transact_connect.h"
#include "data/transaction_link.h"

#include <chrono>
#include <string>

class TMySQLDatabase;

namespace transacterr {
inline constexpr const char* kNoDatabase = "Connect to database not defined";
inline constexpr const char* kDatabaseNotConnected = "Connect tro database error";
inline constexpr const char* kCannotConnect = "Can not connect to transact-server";
inline constexpr const char* kNoTransactServer = "Not connected with transact-server";
inline constexpr const char* kNoDatabaseForStatement = "Is not defined connect to database";
} // namespace transacterr

class TMySQLTransact : public TransactionLink {
public:
    TMySQLTransact();
    ~TMySQLTransact() override;

    TMySQLDatabase* Database() const { return database_; }
    // Disconnects, then takes the database and its Host.
    void SetDatabase(TMySQLDatabase* database);
    const std::string& Host() const { return host_; }
    void SetHost(const std::string& host); // disconnects first
    std::string Port = "19700";
    bool UseTransServer = false;
    bool AutoCommit = false;

    // Connects the database and, with UseTransServer, logs in to the transact-server; connects
    // again when the transact-server connection was lost since.
    void Connect() override;
    // With UseTransServer: only while the transact-server connection is still open.
    bool Connected() const override { return active_ && (!UseTransServer || connect_.HasSocket()); }
    // Ends the transact-server connection when one is open; the database stays connected.
    void Disconnect();
    // Runs one statement that answers no rows; raises EDatabaseError when it fails. Answers the
    // rows matched and the insert id: straight from the database, or from a transact-server that
    // counts ("OK matched=N insert_id=M"); a bare "OK" leaves them unknown.
    ExecResult ExecSQL(const std::string& statement) override;
    // Quoted for the database's session; a transact-server's sessions escape with backslashes.
    std::string SqlLiteral(std::string_view value) const override;
    bool ThroughTransactServer() const override { return UseTransServer; }
    // A transact-server's session commits only with AutoCommit (or an explicit COMMIT).
    bool WritesVisibleAtOnce() const override { return !UseTransServer || AutoCommit; }
    bool CommitsEachStatement() const override { return UseTransServer && AutoCommit; }
    void HoldCommits(bool hold) override { holdCommits_ = hold; }
    // A transact-server's session: open unless AutoCommit commits each statement; it is named by
    // the count of COMMIT, ROLLBACK, BEGIN and START statements sent so far. The database's own
    // session: as its last answer says, named by the server's transaction id.
    std::string OpenTransaction() override;
    void RollBackOpenTransaction() override;

    TDirTrSQLConnect& TransactConnect() { return connect_; }
    TDirTrSqlQuery& TransactQuery() { return query_; }
    // How long a transact-server may take to accept or to answer.
    void SetTimeout(std::chrono::milliseconds timeout) { connect_.Timeout = timeout; }

private:
    void RunOnTransactServer(const std::string& statement);

    TMySQLDatabase* database_ = nullptr;
    std::string host_;
    bool active_ = false;
    bool holdCommits_ = false;
    unsigned long transactionEnds_ = 0; // COMMIT, ROLLBACK, BEGIN, START sent to a transact-server
    TDirTrSQLConnect connect_;
    TDirTrSqlQuery query_{&connect_};
};
