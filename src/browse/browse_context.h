// What the browser and the query editor share: the chosen table, the status bar context they
// write, and the data module's connection and query that both open.
#pragma once

#include <QString>

class TQueryFrm1;

// The selected item of ListBox1, empty when none is selected.
QString ChosenTable(const TQueryFrm1& window);

// Status bar: panel 0 the server label, 1 the user, 2 edtDatabase, 3 the chosen table and 4
// recordCount; panel 5 stays.
void ShowBrowseContext(TQueryFrm1& window, const QString& recordCount = {});

// Closes MySQLQuery1, empties its statement and disconnects MySQLDatabase1.
void CloseSharedQuery();

// Disconnects the shared objects when they are connected, then sets MySQLDatabase1 up for the
// database chosen in RadioGroup1 on CurrentHost with edtUsername and edtPasswd (in that order:
// database, host, login, password). Does not connect.
void PrepareSharedDatabase(TQueryFrm1& window);
