// The main window's handlers of the menu items that need more of the window than a command sees.
#include "commands/command_guard.h"
#include "grants/grants_wizard.h"
#include "shell/main_window.h"

void TQueryFrm1::RunCommand(void (*command)(CommandContext&)) {
    RunExclusive([this, command] { command(*this); });
}

// Closing saves the window's place and clears the window (FormClose).
void TQueryFrm1::Exit1Click() {
    close();
}

// The grants wizard keeps its own connection; it offers the saved servers' addresses.
void TQueryFrm1::Adduser1Click() {
    RunGrantsWizard(HostList.Items(), this);
}
