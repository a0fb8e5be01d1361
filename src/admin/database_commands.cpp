#include "admin/database_commands.h"

#include "admin/command_connection.h"
#include "admin/main_window_clear.h"
#include "shell/query_frm1.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QComboBox>
#include <QLineEdit>

void ShowDatabases(TQueryFrm1& window) {
    if (!HasServerAndUser(window))
        return;
    // Emptied before connecting: after a refused login the list stays empty.
    // (The transfer window's CBDB list is emptied here too once that window has it.)
    window.RadioGroup1->clearItems();

    CommandConnection conn(window);
    if (!conn.Open(ConnectCall::Connect))
        return;
    conn.ProcessMessages();
    conn.BusyCursor();
    QStringList names;
    {
        // A failed SHOW DATABASES shows its error text and leaves the list empty.
        CommandConnection::Outcome databases = conn.Run("SHOW DATABASES");
        for (const QStringList& row : ResultRows(databases.result.get()))
            names.append(row.value(0));
    }
    // The transfer window's CBDB list receives the same names here, before RadioGroup1, once that
    // window has it.
    window.RadioGroup1->setItems(names);
    window.RadioGroup1->setItemIndex(-1);
    conn.Close();
    conn.Ready();
    ShowServerAndUser(window);
}

void CreateDatabase(TQueryFrm1& window) {
    // One of the two is enough here.
    if (window.edtHostname->currentText().isEmpty() && window.edtUsername->text().isEmpty())
        return;
    {
        CommandConnection conn(window);
        if (!conn.Open())
            return;
        conn.Ready();
        const QString start = ServerLabel(window);
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
    ClearMainWindow(window);
    ShowDatabases(window);
}

void DropDatabase(TQueryFrm1& window) {
    if (!HasServerAndUser(window) || window.RadioGroup1->itemIndex() < 0)
        return;
    if (!prompts().askYesNo(
            BiText(QStringLiteral("Delete database?"), QStringLiteral("Pobrisati bazu?"))))
        return;
    const QString name = window.RadioGroup1->currentItem();
    {
        CommandConnection conn(window);
        // A database that is gone already fails here, and nothing is refreshed.
        if (!conn.Open(ConnectCall::RealConnect, name))
            return;
        // The client call takes the name literally, whatever characters it holds.
        Client().mysql_drop_db(conn.handle(), name.toStdString().c_str());
        if (conn.Failed())
            conn.ShowError();
        conn.Close();
        conn.Ready();
    }
    ClearMainWindow(window);
    ShowDatabases(window);
}
