// The database and table browser of the main window: the tables of the database chosen in
// RadioGroup1 go into ListBox1, and a table's rows into the data grid through MySQLQuery1.
#pragma once

#include <QPoint>

class CommandContext;

// Click on RadioGroup1: edtDatabase takes the chosen database and ListBox1 its tables, read over
// the command session.
void LoadTableList(CommandContext& context);

// Click on ListBox1: server, user, database and chosen table in the status bar.
void ShowTableContext(CommandContext& context);

// Right mouse button pressed at pos (ListBox1's viewport coordinates): the item there becomes the
// selected one, or none is selected below the last item.
void SelectTableAt(CommandContext& context, const QPoint& pos);

// Double click on ListBox1: opens all rows of the chosen table in MySQLQuery1 on a freshly
// connected MySQLDatabase1 and shows the row count.
void ViewTableData(CommandContext& context);

// "SELECT * FROM " and the table name, quoted when the name needs it.
QString SelectAllFrom(const QString& table);
