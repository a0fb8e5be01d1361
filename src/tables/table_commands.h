// The table commands of the main window: view a table's structure, empty a table, drop a table.
// Each acts only on a table selected in the table list while the database it came from is the one
// selected in the database list; otherwise it does nothing.
#pragma once

#include <QString>

#include <optional>

class CommandContext;

struct TableChoice {
    QString database;
    QString table;
};
// The selected table and its database, when there is a server entry, a user name, a database
// shown in the database field that is the one selected in the database list, and a selected table.
std::optional<TableChoice> ChosenTableOfDatabase(CommandContext& context);

// Reads the table's fields and keys on the command session and shows them in TfrmPropstbl (modal).
void ViewTable(CommandContext& context);

// After Yes to "Empty table "t" in database "d"?" deletes every row of the table. A view is
// refused (emptying it would empty its base table). True when the statement was sent (also when
// the server refused it): the caller then shows the table again.
bool EmptyTable(CommandContext& context);
// After Yes to "Delete table "t" in database "d"?" drops the table; a view is refused. True when
// the statement was sent: the caller then clears the window and reads the databases again.
bool DropTable(CommandContext& context);
