#include "admin/database_commands.h"

#include "commands/clear_window.h"
#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "commands/server_entry.h"
#include "commands/status_panels.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

void ShowDatabases(CommandContext& context) {
    if (!HasServerAndUser(context))
        return;
    // Emptied before connecting: after a refused login the list stays empty.
    // (The transfer window's CBDB list is emptied here too once that window has it.)
    context.databaseList().clearItems();

    CommandConnection conn(context);
    if (!conn.Open(ConnectCall::Connect))
        return;
    conn.ProcessMessages();
    conn.SetBusyCursor();
    QStringList names;
    {
        // A failed SHOW DATABASES shows its error text and leaves the list empty.
        const SessionResult databases = conn.Run("SHOW DATABASES");
        for (const QStringList& row : ResultRows(databases.rows))
            names.append(row.value(0));
    }
    // The transfer window's CBDB list receives the same names here, before RadioGroup1, once that
    // window has it.
    context.databaseList().setItems(names);
    context.databaseList().setItemIndex(-1);
    conn.Close();
    conn.Ready();
    ShowServerAndUser(context);
}

void CreateDatabase(CommandContext& context) {
    // One of the two is enough here.
    if (const ConnectionInputs in = context.connectionInputs();
        in.serverEntry.isEmpty() && in.user.isEmpty())
        return;
    {
        CommandConnection conn(context);
        if (!conn.Open())
            return;
        conn.Ready();
        const ConnectionInputs in = context.connectionInputs();
        const QString start = ServerLabel(in.serverEntry, in.user);
        // Cancel keeps the value the dialog started with, and that value is sent as well.
        const QString name =
            prompts()
                .input(BiText(QStringLiteral("Database name:"), QStringLiteral("Ime nove baze:")),
                       BiText(QStringLiteral("Enter name:"), QStringLiteral("Unesite ime:")), start)
                .value_or(start);
        // The name goes in as typed: the server judges it and answers with its error text.
        conn.Run("CREATE DATABASE " + name.toStdString());
        conn.Close();
    }
    ClearMainWindow(context);
    ShowDatabases(context);
}

void DropDatabase(CommandContext& context) {
    if (!HasServerAndUser(context) || context.databaseList().itemIndex() < 0)
        return;
    if (!prompts().askYesNo(
            BiText(QStringLiteral("Delete database?"), QStringLiteral("Pobrisati bazu?"))))
        return;
    const QString name = context.databaseList().currentItem();
    {
        CommandConnection conn(context);
        // A database that is gone already fails here, and nothing is refreshed.
        if (!conn.Open(ConnectCall::RealConnect, name))
            return;
        // The client call takes the name literally, whatever characters it holds.
        if (!conn.session().DropDatabase(name.toStdString()))
            conn.ShowError();
        conn.Close();
        conn.Ready();
    }
    ClearMainWindow(context);
    ShowDatabases(context);
}
