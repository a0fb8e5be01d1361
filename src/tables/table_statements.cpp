#include "tables/table_statements.h"

#include "commands/command_connection.h"
#include "data/server_session.h"
#include "data/sql_names.h"

namespace {

std::string WithTable(const char* verb, const QString& table) {
    return verb + QuoteNameIfNeeded(table.toStdString());
}

} // namespace

std::string ShowFieldsStatement(const QString& table) {
    return WithTable("SHOW FIELDS FROM ", table);
}
std::string ShowKeysStatement(const QString& table) {
    return WithTable("SHOW KEYS FROM ", table);
}
std::string DeleteFromStatement(const QString& table) {
    return WithTable("DELETE FROM ", table);
}
std::string DropTableStatement(const QString& table) {
    return WithTable("DROP TABLE ", table);
}

StatementAnswer AskServer(ServerSession& session, const std::string& sql) {
    SessionResult result = session.Run(sql);
    StatementAnswer answer;
    if (result.failed) {
        const SessionError error = session.Error();
        // A refusal without a text still must not pass for an answer.
        answer.error = error.text.empty() ? QStringLiteral("Error %1").arg(error.number)
                                          : QString::fromStdString(error.text);
    }
    answer.rows = ResultRows(result.rows);
    return answer;
}
