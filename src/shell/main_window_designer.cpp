// The main window's handler of the create-table command (menu, table-list popup and toolbar).
#include "admin/database_commands.h"
#include "commands/clear_window.h"
#include "commands/command_guard.h"
#include "shell/main_window.h"
#include "tables/create_table_command.h"

void TQueryFrm1::Createtable1Click() {
    RunExclusive([this] {
        // After a statement went to the server: Clear, then Show Databases.
        if (CreateTable(*this)) {
            ClearMainWindow(*this);
            ShowDatabases(*this);
        }
    });
}
