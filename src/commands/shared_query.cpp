#include "commands/shared_query.h"

#include "ui/language.h"
#include "ui/prompts.h"

SharedQuery::SharedQuery() {
    MySQLDatabase1.AfterConnect = [this](TMySQLDatabase& db) {
        role_ = ReadServerRole(db.DirConnect().Handle());
        writesConfirmed_ = false;
    };
    MySQLQuery1.BeforeWrite = [this](TMySQLQuery&) { ConfirmWriteToReadOnlyServer(); };
}

ServerRole SharedQuery::ConnectedServerRole() const {
    return MySQLDatabase1.Connected() ? role_ : ServerRole{};
}

void SharedQuery::ConfirmWriteToReadOnlyServer() {
    if (!ConnectedServerRole().RefusesOrCopiesWrites() || writesConfirmed_)
        return;
    // A write accepted on a replica can later stop its replication.
    const bool send = prompts().askWarningYesNo(
        BiText(QStringLiteral("The server is read-only or a replica: a write here can be refused "
                              "or stop its replication. Send the write?"),
               QStringLiteral("Poslužitelj je samo za čitanje ili replika: upis ovdje može biti "
                              "odbijen ili zaustaviti replikaciju. Poslati upis?")));
    if (!send)
        throw EDatabaseError(
            BiText(QStringLiteral("Not written."), QStringLiteral("Nije upisano.")).toStdString());
    writesConfirmed_ = true;
}

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
