// Commands whose subsystems are not built yet: they exist so menu items and toolbar buttons are
// wired, and do nothing until their own files take them over.
#include "shell/query_frm1.h"

void TQueryFrm1::BDEMySQL1Click() {}
