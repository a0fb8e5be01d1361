// The "Clear" reset of the main window: the database and table lists, the database field and the
// status panels start again from the chosen server; the server entry, user, password, query text
// and the host stay.
#pragma once

class CommandContext;

void ClearMainWindow(CommandContext& context);
