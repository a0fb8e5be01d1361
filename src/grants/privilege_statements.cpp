#include "grants/privilege_statements.h"

#include "data/sql_names.h"
#include "data/text_utils.h"

#include <array>
#include <utility>

namespace {

std::string Insert(const char* table, std::vector<std::string> values, const std::string& tail) {
    std::string out = "INSERT INTO ";
    out += table;
    out += " VALUES (";
    out += Joined(values, ',');
    if (!tail.empty()) {
        if (!values.empty())
            out += ',';
        out += tail;
    }
    out += ')';
    return out;
}

// Privilege names (a column's name without its "_priv" ending) and their keywords.
constexpr std::array<std::pair<std::string_view, std::string_view>, 29> kKeywords{{
    {"Select", "SELECT"},
    {"Insert", "INSERT"},
    {"Update", "UPDATE"},
    {"Delete", "DELETE"},
    {"Create", "CREATE"},
    {"Drop", "DROP"},
    {"Reload", "RELOAD"},
    {"Shutdown", "SHUTDOWN"},
    {"Process", "PROCESS"},
    {"File", "FILE"},
    {"References", "REFERENCES"},
    {"Index", "INDEX"},
    {"Alter", "ALTER"},
    {"Show_db", "SHOW DATABASES"},
    {"Super", "SUPER"},
    {"Create_tmp_table", "CREATE TEMPORARY TABLES"},
    {"Lock_tables", "LOCK TABLES"},
    {"Execute", "EXECUTE"},
    {"Repl_slave", "REPLICATION SLAVE"},
    {"Repl_client", "REPLICATION CLIENT"},
    {"Create_view", "CREATE VIEW"},
    {"Show_view", "SHOW VIEW"},
    {"Create_routine", "CREATE ROUTINE"},
    {"Alter_routine", "ALTER ROUTINE"},
    {"Create_user", "CREATE USER"},
    {"Event", "EVENT"},
    {"Trigger", "TRIGGER"},
    {"Create_tablespace", "CREATE TABLESPACE"},
    {"Delete_history", "DELETE HISTORY"},
}};

std::string_view PrivilegeName(std::string_view name) {
    constexpr std::string_view kEnding = "_priv";
    if (name.size() > kEnding.size() && name.ends_with(kEnding))
        name.remove_suffix(kEnding.size());
    return name;
}

} // namespace

std::string FlagList(const CheckList& list, const Quoter& quote) {
    std::vector<std::string> flags;
    flags.reserve(list.size());
    for (const CheckEntry& e : list)
        flags.push_back(quote(e.checked ? "Y" : "N"));
    return Joined(flags, ',');
}

std::string PrivilegeSet(const CheckList& list, const Quoter& quote) {
    std::string names;
    for (const CheckEntry& e : list) {
        if (!e.checked)
            continue;
        if (!names.empty())
            names += ',';
        names += e.name;
    }
    return '(' + quote(names) + ')';
}

std::string PasswordValue(const std::string& password, const Quoter& quote) {
    return password.empty() ? quote("") : "PASSWORD(" + quote(password) + ')';
}

std::string UserRowInsert(const GrantInputs& in, const CheckList& userPrivileges,
                          const Quoter& quote) {
    return Insert("user", {quote(in.host), quote(in.user), PasswordValue(in.password, quote)},
                  FlagList(userPrivileges, quote));
}

std::string HostRowInsert(const GrantInputs& in, const CheckList& hostPrivileges,
                          const Quoter& quote) {
    return Insert("host", {quote(in.host), quote(in.database)}, FlagList(hostPrivileges, quote));
}

std::string DbRowInsert(const GrantInputs& in, const CheckList& dbPrivileges, const Quoter& quote) {
    return Insert("db", {quote(in.host), quote(in.database), quote(in.user)},
                  FlagList(dbPrivileges, quote));
}

std::string TablesPrivInsert(const GrantInputs& in, const CheckList& tablePrivileges,
                             const CheckList& columnPrivileges, const Quoter& quote) {
    return Insert("tables_priv",
                  {quote(in.host), quote(in.database), quote(in.user), quote(in.table),
                   quote(in.grantor), quote(""), PrivilegeSet(tablePrivileges, quote),
                   PrivilegeSet(columnPrivileges, quote)},
                  {});
}

std::string ColumnsPrivInsert(const GrantInputs& in, const CheckList& columnPrivileges,
                              const Quoter& quote) {
    return Insert("columns_priv",
                  {quote(in.host), quote(in.database), quote(in.user), quote(in.table),
                   quote(in.column), quote(""), PrivilegeSet(columnPrivileges, quote)},
                  {});
}

std::string PrivilegeKeyword(std::string_view name) {
    const std::string_view bare = PrivilegeName(name);
    for (const auto& [privilege, keyword] : kKeywords)
        if (privilege == bare)
            return std::string(keyword);
    return {};
}

bool IsGrantOption(std::string_view name) {
    return PrivilegeName(name) == "Grant";
}

PrivilegeChoice ChoosePrivileges(const CheckList& list) {
    PrivilegeChoice choice;
    for (const CheckEntry& e : list) {
        if (!e.checked)
            continue;
        if (IsGrantOption(e.name)) {
            choice.grantOption = true;
            continue;
        }
        std::string keyword = PrivilegeKeyword(e.name);
        if (keyword.empty()) {
            if (choice.unknown.empty())
                choice.unknown = e.name;
            continue;
        }
        choice.keywords.push_back(std::move(keyword));
    }
    return choice;
}

std::string AccountName(const GrantInputs& in, const Quoter& quote) {
    return quote(in.user) + '@' + quote(in.host);
}

std::string CreateUserStatement(const GrantInputs& in, const Quoter& quote) {
    std::string sql = "CREATE USER " + AccountName(in, quote);
    if (!in.password.empty())
        sql += " IDENTIFIED BY " + quote(in.password);
    return sql;
}

std::string GrantStatement(const PrivilegeChoice& choice, const std::string& on,
                           const GrantInputs& in, const Quoter& quote) {
    std::string privileges;
    for (const std::string& k : choice.keywords)
        privileges += (privileges.empty() ? "" : ", ") + k;
    if (privileges.empty())
        privileges = "USAGE";
    std::string sql = "GRANT " + privileges + " ON " + on + " TO " + AccountName(in, quote);
    if (choice.grantOption)
        sql += " WITH GRANT OPTION";
    return sql;
}

std::string ColumnGrantStatement(const PrivilegeChoice& choice, const std::string& on,
                                 const GrantInputs& in, const Quoter& quote) {
    return ColumnGrantStatement(choice, on, {in.column}, in, quote);
}

std::string ColumnGrantStatement(const PrivilegeChoice& choice, const std::string& on,
                                 const std::vector<std::string>& columns, const GrantInputs& in,
                                 const Quoter& quote) {
    std::string names;
    for (const std::string& c : columns)
        names += (names.empty() ? "" : ", ") + QuoteName(c);
    const std::string list = " (" + names + ')';
    std::string privileges;
    for (const std::string& k : choice.keywords)
        privileges += (privileges.empty() ? "" : ", ") + k + list;
    return "GRANT " + privileges + " ON " + on + " TO " + AccountName(in, quote);
}

std::string ExactDatabasePattern(const std::string& database) {
    std::string pattern;
    pattern.reserve(database.size());
    for (const char c : database) {
        if (c == '_' || c == '%' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

std::string GlobalLevel() {
    return "*.*";
}

std::string DatabaseLevel(const std::string& database) {
    return QuoteName(database) + ".*";
}

std::string TableLevel(const std::string& database, const std::string& table) {
    return QuoteName(database) + '.' + QuoteName(table);
}
