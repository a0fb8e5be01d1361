// The statements the grants wizard sends: rows for servers whose privilege database holds plain
// tables (user, host, db, tables_priv, columns_priv), and account statements (CREATE USER, GRANT)
// for servers that keep accounts behind a view. Every value goes through the quoter of the
// connection that runs the statement, every name through the name quoting.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One entry of a check list: its text and its check mark.
struct CheckEntry {
    std::string name;
    bool checked = false;
};
using CheckList = std::vector<CheckEntry>;

// Puts a value between quotes for the session that will run the statement.
using Quoter = std::function<std::string(std::string_view)>;

// What the wizard's fields hold when a step runs.
struct GrantInputs {
    std::string user;
    std::string host;
    std::string password;
    std::string grantor;
    std::string database;
    std::string table;
    std::string column;
};

// --- Rows of plain privilege tables ---

// 'Y' or 'N' for every entry, in list order, joined by ",".
std::string FlagList(const CheckList& list, const Quoter& quote);
// The checked names joined by "," as one value, in parentheses: ('Select,Insert').
std::string PrivilegeSet(const CheckList& list, const Quoter& quote);
// PASSWORD('…') for a password, the empty value for none.
std::string PasswordValue(const std::string& password, const Quoter& quote);

std::string UserRowInsert(const GrantInputs& in, const CheckList& userPrivileges,
                          const Quoter& quote);
std::string HostRowInsert(const GrantInputs& in, const CheckList& hostPrivileges,
                          const Quoter& quote);
std::string DbRowInsert(const GrantInputs& in, const CheckList& dbPrivileges, const Quoter& quote);
std::string TablesPrivInsert(const GrantInputs& in, const CheckList& tablePrivileges,
                             const CheckList& columnPrivileges, const Quoter& quote);
std::string ColumnsPrivInsert(const GrantInputs& in, const CheckList& columnPrivileges,
                              const Quoter& quote);

// --- Account statements ---

// The keyword of a privilege, from a privilege column name (Show_db_priv) or a privilege name of
// the table and column lists (Select); empty when none is known. "Grant" has none: it is the
// grant option.
std::string PrivilegeKeyword(std::string_view name);
bool IsGrantOption(std::string_view name);

// The checked privileges as a GRANT names them.
struct PrivilegeChoice {
    std::vector<std::string> keywords; // in list order, without the grant option
    bool grantOption = false;
    std::string unknown; // the first checked entry with no keyword; empty when all are known
};
PrivilegeChoice ChoosePrivileges(const CheckList& list);

// 'user'@'host'
std::string AccountName(const GrantInputs& in, const Quoter& quote);
// CREATE USER 'user'@'host' [IDENTIFIED BY '…']
std::string CreateUserStatement(const GrantInputs& in, const Quoter& quote);
// GRANT <keywords, or USAGE when there are none> ON <on> TO 'user'@'host' [WITH GRANT OPTION]
std::string GrantStatement(const PrivilegeChoice& choice, const std::string& on,
                           const GrantInputs& in, const Quoter& quote);
// GRANT SELECT (`column`), … ON <on> TO 'user'@'host'; the choice must hold a keyword.
std::string ColumnGrantStatement(const PrivilegeChoice& choice, const std::string& on,
                                 const GrantInputs& in, const Quoter& quote);
// The same for several columns of one table: GRANT SELECT (`a`, `b`), … ON <on> TO …
std::string ColumnGrantStatement(const PrivilegeChoice& choice, const std::string& on,
                                 const std::vector<std::string>& columns, const GrantInputs& in,
                                 const Quoter& quote);
// The database part of a database-level privilege that names exactly one database: "_" and "%"
// match any character there, so they (and the escape character "\" itself) are escaped:
// "my_db" gives my\_db.
std::string ExactDatabasePattern(const std::string& database);
// *.*, `db`.* and `db`.`table`; database is put between name quotes as given.
std::string GlobalLevel();
std::string DatabaseLevel(const std::string& database);
std::string TableLevel(const std::string& database, const std::string& table);
