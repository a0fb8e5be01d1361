#include "tables/create_table_command.h"

#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "tables/table_designer.h"
#include "ui/prompts.h"

bool CreateTable(CommandContext& context) {
    const ConnectionInputs inputs = context.connectionInputs();
    if (inputs.serverEntry.isEmpty() || inputs.user.isEmpty() || inputs.database.isEmpty())
        return false;
    TfrmCreatetbl designer(context.dialogParent());
    bool sent = false;
    // Closing the designer any other way than "Save as:" creates nothing. A statement the server
    // rejects shows the server's error text and opens the design again for correction; the
    // caller refreshes the window once the designer is closed for good.
    while (prompts().runDialog(designer) == QDialog::Accepted) {
        const std::string statement = designer.Statement();
        CommandConnection conn(context);
        if (!conn.Open(ConnectCall::RealConnect, inputs.database))
            return sent;
        conn.Ready();
        prompts().message(QString::fromStdString(statement));
        const bool rejected = conn.Run(statement).failed;
        conn.Close();
        sent = true;
        if (!rejected)
            break;
    }
    return sent;
}
