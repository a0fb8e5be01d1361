#include "tables/table_statements.h"

#include "data/sql_names.h"
#include "ui/language.h"

namespace {

std::string WithTable(const char* verb, const QString& table) {
    return verb + QuoteNameIfNeeded(table.toStdString());
}

QString ErrorText(MYSQL* handle) {
    const std::string text = ClientErrorText(handle);
    // A refusal without a text still must not pass for an answer.
    return text.empty() ? QStringLiteral("Error %1").arg(ClientErrorNumber(handle))
                        : QString::fromStdString(text);
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

StatementAnswer AskServer(MYSQL* handle, const std::string& sql) {
    StatementAnswer answer;
    const ClientApi& c = Client();
    if (c.mysql_real_query(handle, sql.data(), sql.size()) != 0 || ClientErrorNumber(handle) != 0) {
        answer.error = ErrorText(handle);
        return answer;
    }
    const ClientResult result(c.mysql_store_result(handle));
    if (!result) {
        if (ClientErrorNumber(handle) != 0)
            answer.error = ErrorText(handle);
        return answer;
    }
    const unsigned columns = c.mysql_num_fields(result.get());
    while (MYSQL_ROW row = c.mysql_fetch_row(result.get())) {
        const unsigned long* lengths = c.mysql_fetch_lengths(result.get());
        QStringList& texts = answer.rows.emplace_back();
        for (unsigned i = 0; i < columns; ++i)
            texts.append(row[i] ? QString::fromUtf8(row[i], static_cast<qsizetype>(lengths[i]))
                                : QString());
    }
    return answer;
}

QString ConnectHandle(ClientHandle& handle, const ConnectInputs& inputs) {
    MYSQL* h = handle.Init();
    if (!h)
        return BiText(QStringLiteral("Out of memory"), QStringLiteral("Nema memorije"));
    const std::string host = inputs.host.toStdString();
    const std::string user = inputs.user.toStdString();
    const std::string password = inputs.password.toStdString();
    const std::string database = inputs.database.toStdString();
    Client().mysql_real_connect(h, host.c_str(), user.c_str(), password.c_str(),
                                database.empty() ? nullptr : database.c_str(), 0, nullptr, 0);
    if (ClientErrorNumber(h) == 0)
        return {};
    const QString error = ErrorText(h);
    handle.Close();
    return error;
}

bool SelectDatabase(MYSQL* handle, const QString& database) {
    return Client().mysql_select_db(handle, database.toStdString().c_str()) == 0;
}
