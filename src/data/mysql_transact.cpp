#include "data/mysql_transact.h"

#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/sql_values.h"
#include "data/transact_dialogue.h"

TMySQLTransact::TMySQLTransact() = default;

TMySQLTransact::~TMySQLTransact() {
    Disconnect();
}

void TMySQLTransact::SetDatabase(TMySQLDatabase* database) {
    Disconnect();
    database_ = database;
    if (database_)
        host_ = database_->Host();
}

void TMySQLTransact::SetHost(const std::string& host) {
    Disconnect();
    host_ = host;
}

void TMySQLTransact::Connect() {
    if (Connected())
        return;
    active_ = false;
    if (!database_)
        throw EDatabaseError(transacterr::kNoDatabase);
    database_->Connect();
    if (!database_->Connected())
        throw EDatabaseError(transacterr::kDatabaseNotConnected);
    if (UseTransServer) {
        connect_.ConnectTo(host_, Port, database_->Database(), database_->Login(),
                           database_->Password());
        if (connect_.GetConnected() != 1)
            throw EDatabaseError(transacterr::kCannotConnect);
    }
    active_ = true;
}

void TMySQLTransact::Disconnect() {
    if (!active_)
        return;
    connect_.Disconnect();
    active_ = false;
}

void TMySQLTransact::RunOnTransactServer(const std::string& statement) {
    query_.Sql = statement;
    if (query_.ExecSql() != 0)
        ThrowConnectError(connect_);
}

ExecResult TMySQLTransact::ExecSQL(const std::string& statement) {
    if (!active_)
        throw EDatabaseError(dberr::kNotConnectedYet);
    if (UseTransServer) {
        if (!connect_.HasSocket())
            throw EDatabaseError(transacterr::kNoTransactServer);
        RunOnTransactServer(statement);
        // A transact-server that counts answers the rows matched and the insert id.
        const ExecResult result = CountsOfAnswer(connect_.Answer());
        if (AutoCommit && !holdCommits_)
            RunOnTransactServer("COMMIT");
        return result;
    }
    if (!database_)
        throw EDatabaseError(transacterr::kNoDatabaseForStatement);
    return database_->ExecSQL(statement);
}

std::string TMySQLTransact::SqlLiteral(std::string_view value) const {
    if (UseTransServer || !database_ || !database_->Connected())
        return QuoteSqlValue(value, true);
    return QuoteSqlValue(database_->DirConnect().Handle(), value);
}
