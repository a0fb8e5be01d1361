#include "tables/create_table_command.h"

#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "tables/table_designer.h"
#include "ui/prompts.h"

bool CreateTable(CommandContext& context) {
    const ConnectionInputs inputs = context.connectionInputs();
    if (inputs.serverEntry.isEmpty() || inputs.user.isEmpty() || inputs.database.isEmpty())
        return false;
    std::string statement;
    {
        TfrmCreatetbl designer(context.dialogParent());
        // Closing the designer any other way than "Save as:" creates nothing.
        if (prompts().runDialog(designer) != QDialog::Accepted)
            return false;
        statement = designer.Statement();
    }
    CommandConnection conn(context);
    if (!conn.Open(ConnectCall::RealConnect, inputs.database))
        return false;
    conn.Ready();
    prompts().message(QString::fromStdString(statement));
    // A rejected statement shows the server's error text; the window is refreshed all the same.
    conn.Run(statement);
    conn.Close();
    return true;
}
