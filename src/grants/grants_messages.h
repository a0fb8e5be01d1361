// The messages and questions of the grants wizard, each in the language the flag asks for.
#pragma once

#include <QString>

namespace grants_text {

QString GrantorRefused();  // the grant check could not connect
QString GrantorRejected(); // a later step could not connect
QString NoGrantPrivileges();
QString GrantorConnected();
QString ErrorAttaching(const QString& database);
QString KeepOneServer(const QString& kept);
QString NoCheckedServer();
QString LayoutLine(bool rows);

QString RepeatPassword();
QString UsePassword();

QString AskUserTable();
QString AskHostAndDbTables();
QString AskTablesPriv();
QString AskColumnsPriv();

// table: USER, HOST, DB, Tables_priv, Columns_priv
QString PrivilegesSet(const QString& table);
QString PrivilegesNotSet(const QString& table);
QString PrivilegesFlushed();

QString NoHostTable();
QString NothingToWrite(const QString& table);
QString NothingChecked();
QString UnknownPrivilege(const QString& column);
QString NoDatabaseSelected();
QString AskAllDatabases();
QString NoTablesOfAllDatabases();
QString OneTableForColumns();
QString NoTableSelected();
QString NoColumnSelected();

} // namespace grants_text
