#include "commands/shared_query.h"

void SharedQuery::CloseSharedQuery() {
    // The query first: its rows must not outlive the connection they came from.
    MySQLQuery1.Close();
    MySQLQuery1.SetSQL({});
    MySQLDatabase1.Disconnect();
}

void SharedQuery::PrepareSharedDatabase(const std::string& database, const std::string& host,
                                        const std::string& login, const std::string& password) {
    if (MySQLDatabase1.Connected())
        CloseSharedQuery();
    MySQLDatabase1.SetDatabase(database);
    MySQLDatabase1.SetHost(host);
    MySQLDatabase1.SetLogin(login);
    MySQLDatabase1.SetPassword(password);
}
