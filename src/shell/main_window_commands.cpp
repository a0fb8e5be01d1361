// The main window's handlers of the server and database commands. Each runs its command unless
// another command is running (see CommandGuard).
#include "admin/database_commands.h"
#include "admin/server_commands.h"
#include "commands/clear_window.h"
#include "commands/command_guard.h"
#include "grants/grants_wizard.h"
#include "shell/main_window.h"

void TQueryFrm1::Ping1Click() {
    RunExclusive([this] { Ping(*this); });
}
void TQueryFrm1::Status1Click() {
    RunExclusive([this] { ShowStatus(*this); });
}
void TQueryFrm1::Showprocesses1Click() {
    RunExclusive([this] { ShowProcesses(*this); });
}
void TQueryFrm1::Kill1Click() {
    RunExclusive([this] { KillProcess(*this); });
}
void TQueryFrm1::Shutdown1Click() {
    RunExclusive([this] { ShutdownServer(*this); });
}
void TQueryFrm1::Flushprivileges1Click() {
    RunExclusive([this] { FlushPrivileges(*this); });
}
void TQueryFrm1::Flushhosts1Click() {
    RunExclusive([this] { FlushHosts(*this); });
}
void TQueryFrm1::ShowDatabases1Click() {
    RunExclusive([this] { ShowDatabases(*this); });
}
void TQueryFrm1::CreateDB1Click() {
    RunExclusive([this] { CreateDatabase(*this); });
}
void TQueryFrm1::DropDB1Click() {
    RunExclusive([this] { DropDatabase(*this); });
}
void TQueryFrm1::Clear1Click() {
    RunExclusive([this] { ClearMainWindow(*this); });
}
void TQueryFrm1::Exit1Click() {
    close();
}

// The grants wizard keeps its own connection; it offers the saved servers' addresses.
void TQueryFrm1::Adduser1Click() {
    RunGrantsWizard(HostList.Items(), this);
}
