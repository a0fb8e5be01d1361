#include "tables/create_table_command.h"

#include "admin/command_connection.h"
#include "shell/query_frm1.h"
#include "tables/table_designer.h"
#include "ui/prompts.h"

#include <QComboBox>
#include <QLineEdit>

bool CreateTable(TQueryFrm1& window) {
    if (window.edtHostname->currentText().isEmpty() || window.edtUsername->text().isEmpty() ||
        window.edtDatabase->text().isEmpty())
        return false;
    std::string statement;
    {
        TfrmCreatetbl designer(&window);
        // Closing the designer any other way than "Save as:" creates nothing.
        if (prompts().runDialog(designer) != QDialog::Accepted)
            return false;
        statement = designer.Statement();
    }
    CommandConnection conn(window);
    if (!conn.Open(ConnectCall::RealConnect, window.edtDatabase->text()))
        return false;
    conn.Ready();
    prompts().message(QString::fromStdString(statement));
    // A rejected statement shows the server's error text; the window is refreshed all the same.
    conn.Run(statement);
    conn.Close();
    return true;
}
