// The create-table command of the main window: opens the designer, and when "Save as:" closed it,
// sends the statement built from it on the command connection, then clears the window and lists
// the databases again.
#pragma once

class TQueryFrm1;

void CreateTable(TQueryFrm1& window);
