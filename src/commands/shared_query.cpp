#include "commands/shared_query.h"

#include "data/blocking_calls.h"
#include "ui/language.h"
#include "ui/prompts.h"

SharedQuery::SharedQuery() {
    MySQLDatabase1.AfterConnect = [this](TMySQLDatabase& db) {
        writesConfirmed_ = false;
        // The statements that read the role run beside the window, as every statement does; a
        // connect whose role the operator stopped reading is not kept.
        MYSQL* handle = db.DirConnect().Handle();
        ServerRole role;
        if (!RunBlockingCall(handle, [&] { role = ReadServerRole(handle); }) &&
            CallStopped(handle)) {
            const std::string stopped = StoppedText(handle);
            db.Disconnect();
            throw EDatabaseError(stopped);
        }
        role_ = role;
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
