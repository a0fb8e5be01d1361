// The statements of the grants wizard, byte for byte, with the quoting of a session in which
// backslashes escape (the server's default).
#include "data/sql_values.h"
#include "grants/privilege_statements.h"

#include <gtest/gtest.h>

namespace {

std::string Quote(std::string_view v) {
    return QuoteSqlValue(v, true);
}

GrantInputs Inputs() {
    GrantInputs in;
    in.user = "kt_grants_u";
    in.host = "%";
    in.password = "pw";
    in.grantor = "root";
    in.database = "kt_grants_db";
    in.table = "t";
    in.column = "b";
    return in;
}

CheckList Flags(std::initializer_list<std::pair<const char*, bool>> entries) {
    CheckList list;
    for (const auto& [name, checked] : entries)
        list.push_back({name, checked});
    return list;
}

} // namespace

TEST(PrivilegeRows, UserRowCarriesPasswordFunctionAndOneFlagPerColumnInOrder) {
    const CheckList privileges =
        Flags({{"Select_priv", true}, {"Insert_priv", false}, {"Grant_priv", true}});
    EXPECT_EQ(UserRowInsert(Inputs(), privileges, Quote),
              "INSERT INTO user VALUES ('%','kt_grants_u',PASSWORD('pw'),'Y','N','Y')");
    GrantInputs none = Inputs();
    none.password.clear();
    EXPECT_EQ(UserRowInsert(none, Flags({{"Select_priv", false}}), Quote),
              "INSERT INTO user VALUES ('%','kt_grants_u','','N')");
}

TEST(PrivilegeRows, TypedQuotesAndBackslashesStayInsideTheirValues) {
    GrantInputs in = Inputs();
    in.user = "a\"b'c";
    in.host = " h ";
    in.password = "x'\"\\\ny";
    EXPECT_EQ(UserRowInsert(in, Flags({{"Select_priv", true}}), Quote),
              "INSERT INTO user VALUES (' h ','a\"b\\'c',PASSWORD('x\\'\"\\\\\\ny'),'Y')");
}

TEST(PrivilegeRows, HostDbTablesAndColumnsRows) {
    const GrantInputs in = Inputs();
    EXPECT_EQ(HostRowInsert(in, Flags({{"Select_priv", true}, {"Drop_priv", false}}), Quote),
              "INSERT INTO host VALUES ('%','kt_grants_db','Y','N')");
    EXPECT_EQ(DbRowInsert(in, Flags({{"Select_priv", false}, {"Insert_priv", true}}), Quote),
              "INSERT INTO db VALUES ('%','kt_grants_db','kt_grants_u','N','Y')");
    EXPECT_EQ(TablesPrivInsert(in, Flags({{"Select", true}, {"Insert", false}, {"Alter", true}}),
                               Flags({{"Select", false}, {"References", false}}), Quote),
              "INSERT INTO tables_priv VALUES "
              "('%','kt_grants_db','kt_grants_u','t','root','',('Select,Alter'),(''))");
    EXPECT_EQ(ColumnsPrivInsert(in, Flags({{"Select", true}, {"Update", true}}), Quote),
              "INSERT INTO columns_priv VALUES "
              "('%','kt_grants_db','kt_grants_u','t','b','',('Select,Update'))");
}

TEST(PrivilegeKeywords, ColumnsAndNamesMapToTheirKeywords) {
    EXPECT_EQ(PrivilegeKeyword("Select_priv"), "SELECT");
    EXPECT_EQ(PrivilegeKeyword("Show_db_priv"), "SHOW DATABASES");
    EXPECT_EQ(PrivilegeKeyword("Create_tmp_table_priv"), "CREATE TEMPORARY TABLES");
    EXPECT_EQ(PrivilegeKeyword("Lock_tables_priv"), "LOCK TABLES");
    EXPECT_EQ(PrivilegeKeyword("Repl_slave_priv"), "REPLICATION SLAVE");
    EXPECT_EQ(PrivilegeKeyword("Repl_client_priv"), "REPLICATION CLIENT");
    EXPECT_EQ(PrivilegeKeyword("Delete_history_priv"), "DELETE HISTORY");
    EXPECT_EQ(PrivilegeKeyword("References"), "REFERENCES");
    EXPECT_EQ(PrivilegeKeyword("Grant_priv"), "");
    EXPECT_TRUE(IsGrantOption("Grant_priv"));
    EXPECT_TRUE(IsGrantOption("Grant"));
    EXPECT_EQ(PrivilegeKeyword("Frobnicate_priv"), "");
    EXPECT_EQ(PrivilegeKeyword("select_priv"), "")
        << "names are compared as the server spells them";
}

TEST(AccountStatements, CreateUserAndGrantsAtEachLevel) {
    GrantInputs in = Inputs();
    EXPECT_EQ(CreateUserStatement(in, Quote), "CREATE USER 'kt_grants_u'@'%' IDENTIFIED BY 'pw'");
    in.password.clear();
    EXPECT_EQ(CreateUserStatement(in, Quote), "CREATE USER 'kt_grants_u'@'%'");

    const PrivilegeChoice global = ChoosePrivileges(
        Flags({{"Select_priv", true}, {"Grant_priv", true}, {"Show_db_priv", true}}));
    EXPECT_EQ(GrantStatement(global, GlobalLevel(), in, Quote),
              "GRANT SELECT, SHOW DATABASES ON *.* TO 'kt_grants_u'@'%' WITH GRANT OPTION");
    const PrivilegeChoice none = ChoosePrivileges(Flags({{"Select_priv", false}}));
    EXPECT_EQ(GrantStatement(none, DatabaseLevel("%"), in, Quote),
              "GRANT USAGE ON `%`.* TO 'kt_grants_u'@'%'");
    const PrivilegeChoice table = ChoosePrivileges(Flags({{"Update", true}, {"Alter", true}}));
    EXPECT_EQ(GrantStatement(table, TableLevel("kt`db", "t"), in, Quote),
              "GRANT UPDATE, ALTER ON `kt``db`.`t` TO 'kt_grants_u'@'%'");
    in.column = "col`x";
    const PrivilegeChoice column = ChoosePrivileges(Flags({{"Select", true}, {"Insert", true}}));
    EXPECT_EQ(ColumnGrantStatement(column, TableLevel("d", "t"), in, Quote),
              "GRANT SELECT (`col``x`), INSERT (`col``x`) ON `d`.`t` TO 'kt_grants_u'@'%'");
}

TEST(AccountStatements, AColumnWithoutKeywordIsNamed) {
    const PrivilegeChoice c = ChoosePrivileges(
        Flags({{"Select_priv", true}, {"Odd_priv", false}, {"Frob_priv", true}, {"X_priv", true}}));
    EXPECT_EQ(c.unknown, "Frob_priv");
    EXPECT_EQ(c.keywords, std::vector<std::string>{"SELECT"});
}
