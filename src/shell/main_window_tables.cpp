// The main window's handlers of the table tools, with the refreshes that follow them. Each runs
// its command unless another command is running (see CommandGuard).
#include "admin/database_commands.h"
#include "browse/table_browser.h"
#include "commands/clear_window.h"
#include "commands/command_guard.h"
#include "shell/main_window.h"
#include "tables/database_dump.h"
#include "tables/table_commands.h"

void TQueryFrm1::Viewtable1Click() {
    RunExclusive([this] { ViewTable(*this); });
}

void TQueryFrm1::Emptytable1Click() {
    RunExclusive([this] {
        // The emptied table is shown again in the grid, also after the server refused.
        if (EmptyTable(*this))
            ViewTableData(*this);
    });
}

void TQueryFrm1::Droptable1Click() {
    RunExclusive([this] {
        if (DropTable(*this)) {
            ClearMainWindow(*this);
            ShowDatabases(*this);
        }
    });
}

void TQueryFrm1::Dumpdatabse1Click() {
    RunExclusive([this] { DumpDatabase(*this); });
}
