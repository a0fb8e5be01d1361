// Commands whose subsystems are not built yet: they exist so menu items and toolbar buttons are
// wired, and do nothing until their own files take them over.
#include "shell/query_frm1.h"

void TQueryFrm1::Dumpdatabse1Click() {}
void TQueryFrm1::Viewtable1Click() {}
void TQueryFrm1::Createtable1Click() {}
void TQueryFrm1::Emptytable1Click() {}
void TQueryFrm1::Droptable1Click() {}
void TQueryFrm1::Adduser1Click() {}
