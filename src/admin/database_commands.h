// Commands on whole databases of the selected server: list them, create one, drop the selected one.
#pragma once

class CommandContext;

// Reads the database list again (the database list, with nothing selected) and shows the server
// label and the user name in the status bar. Other commands run it after they changed the
// databases.
void ShowDatabases(CommandContext& context);
// Asks for a name, sends CREATE DATABASE with it as typed, then clears the window and refreshes.
void CreateDatabase(CommandContext& context);
// After Yes to "Delete database?" drops the database selected in the database list, then clears the
// window and refreshes.
void DropDatabase(CommandContext& context);
