#include "admin/server_commands.h"

#include "admin/command_connection.h"
#include "admin/server_listings.h"
#include "shell/query_frm1.h"
#include "ui/language.h"
#include "ui/prompts.h"

#include <QLineEdit>

#include <set>

namespace {

void Say(const QString& english, const QString& croatian) {
    prompts().message(BiText(english, croatian));
}

QString ClientText(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

// Runs a statement that answers no rows and says so when the server accepted it.
void RunAndConfirm(CommandConnection& conn, const char* sql, const QString& english,
                   const QString& croatian) {
    const CommandConnection::Outcome outcome = conn.Run(sql);
    if (!outcome.failed)
        Say(english, croatian);
}

} // namespace

void Ping(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    CommandConnection conn(window);
    if (!conn.Open(ConnectCall::RealConnect, window.edtDatabase->text()))
        return;
    conn.Ready();
    if (Client().mysql_ping(conn.handle()) == 0)
        Say(QStringLiteral("Alive!"), QStringLiteral("Živ!"));
    else
        Say(QStringLiteral("Dead!"), QStringLiteral("Mrtav!"));
    conn.Close();
}

void ShowStatus(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    {
        CommandConnection conn(window);
        if (!conn.Open())
            return;
        conn.Ready();
        const ClientApi& c = Client();
        prompts().message(QStringLiteral("Server info: ") +
                          ClientText(c.mysql_get_host_info(conn.handle())) + kListingLineEnd +
                          QStringLiteral("Server ver: ") +
                          ClientText(c.mysql_get_server_info(conn.handle())) + kListingLineEnd);
        conn.Close();
    }
    CommandConnection conn(window);
    if (!conn.Open())
        return;
    conn.Ready();
    // A statement that failed has shown its error text; its listing is left out.
    if (CommandConnection::Outcome status = conn.Run("SHOW STATUS"); !status.failed)
        prompts().message(StatusListing(ResultRows(status.result.get())));

    conn.ProcessMessages();
    conn.BusyCursor();
    if (CommandConnection::Outcome variables = conn.Run("SHOW VARIABLES"); !variables.failed)
        prompts().message(VariablesListing(ResultRows(variables.result.get())));
    conn.Close();
    conn.Ready();
}

void ShowProcesses(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    CommandConnection conn(window);
    if (!conn.Open())
        return;
    CommandConnection::Outcome processes = conn.Run("SHOW processlist");
    if (processes.failed)
        return;
    const QString text = ProcessListing(ResultRows(processes.result.get()));
    conn.Ready();
    prompts().message(text);
    processes.result.reset();
    conn.Close();
}

void KillProcess(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    CommandConnection conn(window);
    if (!conn.Open())
        return;
    conn.Ready();

    std::set<QString> ids;
    {
        CommandConnection::Outcome processes = conn.Run("SHOW processlist");
        // Without the list no id could be valid: the error text ends the command.
        if (processes.failed)
            return;
        const std::vector<QStringList> rows = ResultRows(processes.result.get());
        for (const QStringList& row : rows)
            ids.insert(row.value(0));
        prompts().message(ProcessListing(rows));
    }

    // OK or Cancel is not asked: Cancel leaves the value empty, which no listed id equals.
    const QString id =
        prompts()
            .input(
                BiText(QStringLiteral("KILL thread"), QStringLiteral("Ubiti proces")),
                BiText(QStringLiteral("Enter thread ID:"), QStringLiteral("Unesite ID procesa:")),
                QString())
            .value_or(QString());
    // Only an id exactly as listed is sent (no trimming, no number conversion).
    if (ids.count(id) != 0) {
        RunAndConfirm(conn, ("KILL " + id.toStdString()).c_str(), QStringLiteral("Thread killed!"),
                      QStringLiteral("Proces ubijen!"));
    } else {
        Say(QStringLiteral("Invalid thread ID!"), QStringLiteral("Krivi ID!"));
    }
    conn.Close();
}

void ShutdownServer(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    CommandConnection conn(window);
    if (!conn.Open())
        return;
    conn.Ready();
    if (ClientShutdown(conn.handle()) == 0) {
        Say(QStringLiteral("Killed!"), QStringLiteral("Ubijen!"));
        ShowServerAndUser(window);
    } else {
        Say(QStringLiteral("Still alive!"), QStringLiteral("Još uvijek je živ!"));
    }
    conn.Close();
}

void FlushPrivileges(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    CommandConnection conn(window);
    // The privilege database is "mysql" in lower case: servers with case-sensitive database names
    // know no "MySQL".
    if (!conn.Open(ConnectCall::RealConnect, QStringLiteral("mysql")))
        return;
    RunAndConfirm(conn, "FLUSH PRIVILEGES", QStringLiteral("Privileges has been flushed!"),
                  QStringLiteral("Privilegije osvježene!"));
    conn.Close();
    conn.Ready();
}

void FlushHosts(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    CommandConnection conn(window);
    if (!conn.Open(ConnectCall::Connect))
        return;
    RunAndConfirm(conn, "FLUSH HOSTS", QStringLiteral("Hosts has been flushed!"),
                  QStringLiteral("Klijenti osvježeni!"));
    conn.Close();
    conn.Ready();
}
