// The create-table command of the main window: opens the designer, and when "Save as:" closed it,
// sends the statement built from it on the command connection. A statement the server rejects
// brings the designer back with the design as it was.
#pragma once

class CommandContext;

// True when a statement went to the server (created, or rejected and the designer then closed):
// the window is then cleared and its database list read again. False when nothing was sent.
bool CreateTable(CommandContext& context);
