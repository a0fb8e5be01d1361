#include "admin/server_commands.h"

#include "admin/server_listings.h"
#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "commands/status_panels.h"
#include "data/blocking_calls.h"
#include "data/server_role.h"
#include "ui/language.h"
#include "ui/prompts.h"

#include <set>

namespace {

void Say(const QString& english, const QString& croatian) {
    prompts().message(BiText(english, croatian));
}

// Runs a statement that answers no rows and says so when the server accepted it.
void RunAndConfirm(CommandConnection& conn, const char* sql, const QString& english,
                   const QString& croatian) {
    if (!conn.Run(sql).failed)
        Say(english, croatian);
}

// The opening every server command shares: the server and user must be given and the command
// connection must open (each failure has said why). Runs the body on the open connection and
// answers whether it ran.
template <typename Body>
bool OnServer(CommandContext& context, ConnectCall call, const QString& database, Body body) {
    if (!HasServerAndUser(context))
        return false;
    CommandConnection conn(context);
    if (!conn.Open(call, database))
        return false;
    body(conn);
    return true;
}

template <typename Body> bool OnServer(CommandContext& context, Body body) {
    return OnServer(context, ConnectCall::RealConnect, QString(), body);
}

} // namespace

void Ping(CommandContext& context) {
    OnServer(
        context, ConnectCall::RealConnect, context.connectionInputs().database,
        [&](CommandConnection& conn) {
            conn.Ready();
            MYSQL* handle = conn.session().handle();
            ClusterReadiness readiness = ClusterReadiness::NotClustered;
            if (!conn.session().Ping())
                Say(QStringLiteral("Dead!"), QStringLiteral("Mrtav!"));
            else if (!RunBlockingCall(handle, [&] { readiness = ReadClusterReadiness(handle); }) &&
                     conn.session().Stopped())
                conn.ShowError();
            else if (readiness == ClusterReadiness::NotReady)
                // A cluster node cut off from the others answers but refuses queries.
                Say(QStringLiteral("Alive, but not ready: not part of the primary component"),
                    QStringLiteral("Živ, ali nije spreman: nije dio primarne komponente"));
            else
                Say(QStringLiteral("Alive!"), QStringLiteral("Živ!"));
            conn.Close();
        });
}

void ShowStatus(CommandContext& context) {
    const bool identified = OnServer(context, [](CommandConnection& conn) {
        conn.Ready();
        prompts().message(QStringLiteral("Server info: ") +
                          QString::fromStdString(conn.session().HostInfo()) + kListingLineEnd +
                          QStringLiteral("Server ver: ") +
                          QString::fromStdString(conn.session().ServerInfo()) + kListingLineEnd);
        conn.Close();
    });
    if (!identified)
        return;
    CommandConnection conn(context);
    if (!conn.Open())
        return;
    conn.Ready();
    // A statement that failed has shown its error text; its listing is left out.
    if (const SessionResult status = conn.Run("SHOW STATUS"); !status.failed)
        prompts().message(StatusListing(ResultRows(status.rows)));

    conn.ProcessMessages();
    conn.SetBusyCursor();
    if (const SessionResult variables = conn.Run("SHOW VARIABLES"); !variables.failed)
        prompts().message(VariablesListing(ResultRows(variables.rows)));
    conn.Close();
    conn.Ready();
}

void ShowProcesses(CommandContext& context) {
    OnServer(context, [&](CommandConnection& conn) {
        const SessionResult processes = conn.Run("SHOW processlist");
        if (processes.failed)
            return;
        const QString text = ProcessListing(ResultRows(processes.rows));
        conn.Ready();
        prompts().message(text);
        conn.Close();
    });
}

void KillProcess(CommandContext& context) {
    OnServer(context, [&](CommandConnection& conn) {
        conn.Ready();

        std::set<QString> ids;
        {
            const SessionResult processes = conn.Run("SHOW processlist");
            // Without the list no id could be valid: the error text ends the command.
            if (processes.failed)
                return;
            const std::vector<QStringList> rows = ResultRows(processes.rows);
            for (const QStringList& row : rows)
                ids.insert(row.value(0));
            prompts().message(ProcessListing(rows));
        }

        // OK or Cancel is not asked: Cancel leaves the value empty, which no listed id equals.
        const QString id =
            prompts()
                .input(BiText(QStringLiteral("KILL thread"), QStringLiteral("Ubiti proces")),
                       BiText(QStringLiteral("Enter thread ID:"),
                              QStringLiteral("Unesite ID procesa:")),
                       QString())
                .value_or(QString());
        // Only an id exactly as listed is sent (no trimming, no number conversion).
        if (ids.count(id) != 0) {
            RunAndConfirm(conn, ("KILL " + id.toStdString()).c_str(),
                          QStringLiteral("Thread killed!"), QStringLiteral("Proces ubijen!"));
        } else {
            Say(QStringLiteral("Invalid thread ID!"), QStringLiteral("Krivi ID!"));
        }
        conn.Close();
    });
}

void ShutdownServer(CommandContext& context) {
    OnServer(context, [&](CommandConnection& conn) {
        conn.Ready();
        if (conn.session().Shutdown()) {
            Say(QStringLiteral("Killed!"), QStringLiteral("Ubijen!"));
            ShowServerAndUser(context);
        } else {
            Say(QStringLiteral("Still alive!"), QStringLiteral("Još uvijek je živ!"));
        }
        conn.Close();
    });
}

void FlushPrivileges(CommandContext& context) {
    // The privilege database is "mysql" in lower case: servers with case-sensitive database names
    // know no "MySQL".
    OnServer(
        context, ConnectCall::RealConnect, QStringLiteral("mysql"), [&](CommandConnection& conn) {
            RunAndConfirm(conn, "FLUSH PRIVILEGES", QStringLiteral("Privileges has been flushed!"),
                          QStringLiteral("Privilegije osvježene!"));
            conn.Close();
            conn.Ready();
        });
}

void FlushHosts(CommandContext& context) {
    OnServer(context, ConnectCall::Connect, QString(), [&](CommandConnection& conn) {
        RunAndConfirm(conn, "FLUSH HOSTS", QStringLiteral("Hosts has been flushed!"),
                      QStringLiteral("Klijenti osvježeni!"));
        conn.Close();
        conn.Ready();
    });
}
