#include "data/mysql_transact.h"

#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/sql_values.h"
#include "data/transact_dialogue.h"

#include <cctype>

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
    TMySQLDatabase::ConnectFor(database_, transacterr::kNoDatabase,
                               transacterr::kDatabaseNotConnected);
    if (UseTransServer) {
        connect_.ConnectTo(host_, Port, database_->Database(), database_->Login(),
                           database_->Password());
        if (connect_.GetConnected() != 1)
            throw EDatabaseError(connect_.Stopped() ? connect_.GetErrorMsg()
                                                    : transacterr::kCannotConnect);
    }
    active_ = true;
}

void TMySQLTransact::Disconnect() {
    if (!active_)
        return;
    connect_.Disconnect();
    active_ = false;
}

namespace {

// True for a statement that ends or begins a transaction (not ROLLBACK TO SAVEPOINT).
bool EndsOrBeginsTransaction(const std::string& statement) {
    std::string upper;
    for (char c : statement)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::size_t start = upper.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return false;
    upper.erase(0, start);
    auto startsWith = [&](const char* word) { return upper.rfind(word, 0) == 0; };
    if (startsWith("ROLLBACK"))
        return upper.find(" TO ") == std::string::npos;
    return startsWith("COMMIT") || startsWith("BEGIN") || startsWith("START");
}

} // namespace

std::string TMySQLTransact::OpenTransaction() {
    if (UseTransServer) {
        if (AutoCommit && !holdCommits_)
            return {};
        return "transact-server " + std::to_string(transactionEnds_);
    }
    if (!database_ || !database_->Connected())
        return {};
    MYSQL* handle = database_->DirConnect().Handle();
    if (!handle || (handle->server_status & SERVER_STATUS_IN_TRANS) == 0)
        return {};
    try {
        const std::string id =
            database_->SelectValue("trx_id FROM information_schema.innodb_trx "
                                   "WHERE trx_mysql_thread_id = CONNECTION_ID()");
        return id.empty() ? std::string() : "server " + id;
    } catch (const EDatabaseError&) {
        return {}; // not known: the writes are not kept for putting back
    }
}

void TMySQLTransact::RollBackOpenTransaction() {
    try {
        ExecSQL("ROLLBACK");
    } catch (const EDatabaseError&) {
        // Nothing more can be done; the next statement will tell.
    }
}

void TMySQLTransact::RunOnTransactServer(const std::string& statement) {
    if (EndsOrBeginsTransaction(statement))
        ++transactionEnds_;
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
