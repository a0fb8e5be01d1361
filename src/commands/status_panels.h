// What the commands write into the main window's status panels: 0 the server label, 1 the user,
// 2 the database, 3 the chosen table, 4 a record count; panel 5 is never touched here.
#pragma once

#include <QString>

struct ServerRole;
class CommandContext;
class TMySQLQuery;
class TStatusBar;

// Empties panels 0 to 4.
void ClearStatusPanels(TStatusBar& panels);
// Only the server label and the user name.
void ShowServerAndUser(CommandContext& context);
// Server label, user, the database of the table list, the chosen table and recordCount. The label
// is followed by ServerRoleText in brackets when the grid's server is read-only or a replica.
void ShowBrowseContext(CommandContext& context, const QString& recordCount = {});
// Panel 4 follows the record count of a query whose rows still arrive: it shows the rows that
// have arrived until the last one has, as long as nothing else was written there meanwhile.
void FollowRecordCount(CommandContext& context, TMySQLQuery& query);
// "Read-only replica", "Replica" or "Read-only server" (in the current language), empty for a
// server that takes writes.
QString ServerRoleText(const ServerRole& role);
// The host address (not the label), the user and the database of the table list.
void ShowHostAndDatabase(CommandContext& context);

// The selected item of the table list, empty when none is selected.
QString ChosenTable(CommandContext& context);
