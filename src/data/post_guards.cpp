#include "data/post_guards.h"

#include "data/dir_query.h"
#include "data/live_errors.h"
#include "data/sql_values.h"
#include "data/transaction_link.h"

namespace {

constexpr const char* kSavepoint = "kestrel_post";

// The first value a statement answers, or an empty text.
std::string FirstValue(TDirMySQLConnect& connection, const std::string& sql) {
    TDirMySqlQuery q(&connection);
    q.Sql = sql;
    q.Open();
    if (q.GetStatus() != dsRows || q.GetEof() || !q.CurrentRow()) {
        const std::string error = connection.GetErrorMsg();
        if (!error.empty())
            ThrowServerError(error, connection.ErrorNumber(), connection.SqlState());
        return {};
    }
    return q.GetField(0);
}

} // namespace

void CheckRowCanBeToldApart(TDirMySQLConnect& connection, const GeneratedStatement& statement) {
    for (const auto& [column, text] : statement.instants) {
        // The clock shows the same time for two instants when it is put back; such a shift is
        // half an hour, an hour or two.
        const std::string v = QuoteSqlValue(connection.Handle(), text);
        std::string sql = "SELECT ";
        const char* shifts[] = {"1800", "3600", "7200"};
        for (std::size_t k = 0; k < 3; ++k)
            sql += std::string(k ? " OR " : "") + "FROM_UNIXTIME(UNIX_TIMESTAMP(" + v + ") + " +
                   shifts[k] + ") = " + v + " OR FROM_UNIXTIME(UNIX_TIMESTAMP(" + v + ") - " +
                   shifts[k] + ") = " + v;
        if (FirstValue(connection, sql) == "1")
            throw ERowNotDistinct(ERowNotDistinct::Reason::RepeatedTime, column);
    }
    if (!statement.distinctRowsProbe.empty()) {
        const std::string n = FirstValue(connection, statement.distinctRowsProbe);
        if (!n.empty() && n != "0" && n != "1")
            throw ERowNotDistinct(statement.probeHiddenColumns
                                      ? ERowNotDistinct::Reason::HiddenColumns
                                      : ERowNotDistinct::Reason::RoundedFloat,
                                  statement.probeName);
    }
}

AllOrNothing::AllOrNothing(TransactionLink& link, MYSQL* session, std::size_t statements)
    : link_(link) {
    if (statements < 2)
        return;
    if (link_.ThroughTransactServer()) {
        if (link_.CommitsEachStatement()) {
            // Nothing of this session waits uncommitted: the statements wait for one COMMIT.
            link_.HoldCommits(true);
            held_ = active_ = true;
            return;
        }
        savepoint_ = true;
    } else {
        if (!session)
            return;
        const unsigned status = session->server_status;
        savepoint_ = (status & SERVER_STATUS_IN_TRANS) || !(status & SERVER_STATUS_AUTOCOMMIT);
    }
    link_.ExecSQL(savepoint_ ? std::string("SAVEPOINT ") + kSavepoint : "START TRANSACTION");
    active_ = true;
}

AllOrNothing::~AllOrNothing() {
    if (!active_)
        return;
    if (held_)
        link_.HoldCommits(false);
    try {
        link_.ExecSQL(savepoint_ ? std::string("ROLLBACK TO SAVEPOINT ") + kSavepoint : "ROLLBACK");
    } catch (...) {
        // The error that ended the post is the one reported.
    }
}

void AllOrNothing::Commit() {
    if (!active_)
        return;
    active_ = false;
    if (held_)
        link_.HoldCommits(false);
    link_.ExecSQL(savepoint_ ? std::string("RELEASE SAVEPOINT ") + kSavepoint : "COMMIT");
}
