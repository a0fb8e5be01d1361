// The table commands of the main window: view a table's structure, empty a table, drop a table.
// Each acts only on a table selected in ListBox1 while the database it came from is the one
// selected in RadioGroup1; otherwise it does nothing.
#pragma once

#include <QString>

#include <optional>

class TQueryFrm1;

struct TableChoice {
    QString database;
    QString table;
};
// The selected table and its database, when the window has a server entry, a user name, a
// database shown in edtDatabase that is the one selected in RadioGroup1, and a selected table.
std::optional<TableChoice> ChosenTableOfDatabase(const TQueryFrm1& window);

// Reads the table's fields and keys over AdminHandle and shows them in TfrmPropstbl (modal).
void ViewTable(TQueryFrm1& window);

// After Yes to "Empty table?" deletes every row of the table. True when the statement was sent
// (also when the server refused it): the caller then shows the table again.
bool EmptyTable(TQueryFrm1& window);
// After Yes to "Delete table?" drops the table. True when the statement was sent: the caller then
// clears the window and reads the databases again.
bool DropTable(TQueryFrm1& window);
