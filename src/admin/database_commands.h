// Commands on whole databases of the selected server: list them, create one, drop the selected one.
#pragma once

class TQueryFrm1;

// Reads the database list again (RadioGroup1, with nothing selected) and shows the server label
// and the user name in the status bar. Other commands run it after they changed the databases.
void ShowDatabases(TQueryFrm1& window);
// Asks for a name, sends CREATE DATABASE with it as typed, then clears the window and refreshes.
void CreateDatabase(TQueryFrm1& window);
// After Yes to "Delete database?" drops the database selected in RadioGroup1, then clears the
// window and refreshes.
void DropDatabase(TQueryFrm1& window);
