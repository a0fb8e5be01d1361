// The main window's "Add user".
#include "grants/grants_wizard.h"
#include "shell/query_frm1.h"

void TQueryFrm1::Adduser1Click() {
    RunGrantsWizard(HostList.Items(), this);
}
