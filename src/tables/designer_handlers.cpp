// The main window's handler of the create-table command (menu, table-list popup and toolbar).
#include "admin/command_guard.h"
#include "shell/query_frm1.h"
#include "tables/create_table_command.h"

void TQueryFrm1::Createtable1Click() {
    RunExclusive([this] { CreateTable(*this); });
}
