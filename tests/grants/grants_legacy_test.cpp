// The wizard against a server whose privilege database holds plain user, host and db tables: a
// throwaway instance whose "mysql" schema the fixture turns into that layout. The rows are
// checked as stored, and the statements as the server received them (its general log).
#include "grants_fixture.h"

#include "data/sql_values.h"
#include "support/scratch_database.h"
#include "ui/check_list_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using testserver::RootConnection;
using testserver::ScratchDatabase;

namespace {

const char* const kFlags14 =
    "Select_priv enum('N','Y') DEFAULT 'N' NOT NULL, Insert_priv enum('N','Y') DEFAULT 'N' NOT "
    "NULL, Update_priv enum('N','Y') DEFAULT 'N' NOT NULL, Delete_priv enum('N','Y') DEFAULT 'N' "
    "NOT NULL, Create_priv enum('N','Y') DEFAULT 'N' NOT NULL, Drop_priv enum('N','Y') DEFAULT "
    "'N' NOT NULL, ";
const char* const kFlagsTail =
    "Grant_priv enum('N','Y') DEFAULT 'N' NOT NULL, References_priv enum('N','Y') DEFAULT 'N' "
    "NOT NULL, Index_priv enum('N','Y') DEFAULT 'N' NOT NULL, Alter_priv enum('N','Y') DEFAULT "
    "'N' NOT NULL, ";

// Turns the instance's "mysql" schema into the plain-table layout, once per server start.
void MakeLegacy(RootConnection& root) {
    if (root.Value("SELECT TABLE_TYPE FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
                   "'mysql' AND TABLE_NAME = 'user'") != "VIEW")
        return;
    root.Exec("RENAME TABLE mysql.user TO mysql.user_view_kept, "
              "mysql.global_priv TO mysql.global_priv_kept");
    root.Exec(std::string("CREATE TABLE mysql.user (Host char(60) binary DEFAULT '' NOT NULL, "
                          "User char(80) binary DEFAULT '' NOT NULL, Password char(41) binary "
                          "DEFAULT '' NOT NULL, ") +
              kFlags14 +
              "Reload_priv enum('N','Y') DEFAULT 'N' NOT NULL, Shutdown_priv enum('N','Y') "
              "DEFAULT 'N' NOT NULL, Process_priv enum('N','Y') DEFAULT 'N' NOT NULL, File_priv "
              "enum('N','Y') DEFAULT 'N' NOT NULL, " +
              kFlagsTail + "PRIMARY KEY (Host, User)) ENGINE=Aria");
    root.Exec(std::string("CREATE TABLE mysql.host (Host char(60) binary DEFAULT '' NOT NULL, "
                          "Db char(64) binary DEFAULT '' NOT NULL, ") +
              kFlags14 + kFlagsTail + "PRIMARY KEY (Host, Db)) ENGINE=Aria");
    for (const char* host : {"%", "localhost"})
        root.Exec(std::string("INSERT INTO mysql.user VALUES ('") + host +
                  "','root',PASSWORD('kestrel'),'Y','Y','Y','Y','Y','Y','Y','Y','Y','Y','Y','Y',"
                  "'Y','Y')");
    root.Exec("FLUSH PRIVILEGES");
}

void DeleteTestRows(RootConnection& root) {
    for (const char* table : {"user", "db", "tables_priv", "columns_priv"})
        root.Exec(std::string("DELETE FROM mysql.") + table + " WHERE User LIKE 'kt\\_grants\\_%'");
    // The wizard writes a database's name as an exact pattern: kt\_grants\_ldb.
    root.Exec("DELETE FROM mysql.host WHERE Db LIKE 'kt%grants%'");
    root.Exec("FLUSH PRIVILEGES");
}

class LegacyServerTest : public GrantsTest {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(testserver::RunScript("start " + std::to_string(testserver::TestInstance(3)) +
                                          " --sql-mode="));
    }
    void SetUp() override {
        GrantsTest::SetUp();
        root = std::make_unique<RootConnection>(kLegacyHost);
        MakeLegacy(*root);
        DeleteTestRows(*root);
        // The wizard shows the database's name and writes it into the rows the test reads.
        database = std::make_unique<ScratchDatabase>(ScratchDatabase::Exactly{"kt_grants_ldb"},
                                                     kLegacyHost);
        database->Exec("CREATE TABLE t (a INT, b INT)");
        root->Exec("SET GLOBAL log_output = 'TABLE'");
        root->Exec("SET GLOBAL general_log = 1");
        root->Exec("TRUNCATE mysql.general_log");
    }
    void TearDown() override {
        GrantsTest::TearDown();
        if (!root)
            return;
        root->Exec("SET GLOBAL general_log = 0");
        DeleteTestRows(*root);
    }
    // The INSERT statements the server received, in order.
    std::vector<std::string> Inserts() {
        std::vector<std::string> sent;
        for (const auto& row : root->Rows("SELECT argument FROM mysql.general_log WHERE "
                                          "command_type = 'Query' AND argument LIKE 'INSERT%' "
                                          "ORDER BY event_time"))
            sent.push_back(row.at(0));
        return sent;
    }
    std::unique_ptr<RootConnection> root;
    std::unique_ptr<ScratchDatabase> database;
};

const std::string kPassword = "o'l\"d\\pw";

} // namespace

TEST_F(LegacyServerTest, RowsAreWrittenAsChosenAndTheNewUserLogsIn) {
    Open({QString::fromLatin1(kLegacyHost)});
    EnterUser(QStringLiteral("kt_grants_old"), QString::fromStdString(kPassword));
    CheckServer();
    ASSERT_EQ(wizard->layout(), PrivilegeLayout::Tables);
    EXPECT_TRUE(wizard->lblLayout->text().contains(QStringLiteral("plain tables")));
    EXPECT_EQ(wizard->clbUserpriv->count(), 14);
    wizard->BitBtn4->click();
    ASSERT_NO_FATAL_FAILURE(
        Check(wizard->clbUserpriv, {QStringLiteral("Select_priv"), QStringLiteral("Grant_priv")}));
    prompts.yesNo = {true, true, true, true};
    wizard->BitBtn10->click();
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbDB, {QStringLiteral("kt_grants_ldb")}));
    wizard->BitBtn7->click();
    EXPECT_EQ(wizard->clbHostpriv->count(), 10);
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbHostpriv, {QStringLiteral("Select_priv")}));
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbDBpriv, {QStringLiteral("Insert_priv")}));
    wizard->BitBtn13->click();
    ASSERT_EQ(wizard->clbTable->Texts(), QStringList{QStringLiteral("t")});
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbTable, {QStringLiteral("t")}));
    ASSERT_NO_FATAL_FAILURE(
        Check(wizard->clbTablepriv, {QStringLiteral("Select"), QStringLiteral("Alter")}));
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbTableColpriv, {QStringLiteral("Select")}));
    wizard->BitBtn16->click();
    ASSERT_EQ(wizard->clbCol->Texts(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbCol, {QStringLiteral("a")}));
    ASSERT_NO_FATAL_FAILURE(
        Check(wizard->clbColpriv, {QStringLiteral("Select"), QStringLiteral("Update")}));
    wizard->BitBtn18->click();

    const std::string dbFlags = [&] {
        std::string flags;
        for (const auto& row : root->Rows("SHOW FIELDS FROM mysql.db"))
            if (row.at(0).find("priv") != std::string::npos)
                flags += row.at(0) == "Insert_priv" ? ",'Y'" : ",'N'";
        return flags;
    }();
    const std::vector<std::string> expected{
        "INSERT INTO user VALUES ('%','kt_grants_old',PASSWORD('o\\'l\\\"d\\\\pw'),'Y','N','N','N',"
        "'N','N','N','N','N','N','Y','N','N','N')",
        // "_" in the picked database's name is no wildcard.
        "INSERT INTO host VALUES ('%','kt\\\\_grants\\\\_ldb','Y','N','N','N','N','N','N','N','N',"
        "'N')",
        "INSERT INTO db VALUES ('%','kt\\\\_grants\\\\_ldb','kt_grants_old'" + dbFlags + ")",
        "INSERT INTO tables_priv VALUES "
        "('%','kt_grants_ldb','kt_grants_old','t','root','',('Select,Alter'),('Select'))",
        "INSERT INTO columns_priv VALUES "
        "('%','kt_grants_ldb','kt_grants_old','t','a','',('Select,Update'))",
    };
    EXPECT_EQ(Inserts(), expected);
    EXPECT_TRUE(prompts.shown.contains(QString::fromStdString(expected[3])))
        << "the table step shows its statement";
    EXPECT_EQ(prompts.shown.count(QStringLiteral("Privileges has been flushed!")), 5);

    const std::string hash =
        root->Value("SELECT PASSWORD(" + QuoteSqlValue(root->get(), kPassword) + ")");
    EXPECT_EQ(root->Value("SELECT CONCAT_WS('|', Password, Select_priv, Insert_priv, Grant_priv) "
                          "FROM mysql.user WHERE User = 'kt_grants_old'"),
              hash + "|Y|N|Y");
    EXPECT_EQ(root->Value("SELECT CONCAT_WS('|', Db, Select_priv, Insert_priv) FROM mysql.host "
                          "WHERE Db LIKE 'kt%ldb'"),
              "kt\\_grants\\_ldb|Y|N");
    EXPECT_EQ(root->Value("SELECT CONCAT_WS('|', Table_priv, Column_priv) FROM mysql.tables_priv "
                          "WHERE User = 'kt_grants_old'"),
              "Select,Alter|Select");
    EXPECT_EQ(root->Value("SELECT CONCAT_WS('|', Column_name, Column_priv) FROM "
                          "mysql.columns_priv WHERE User = 'kt_grants_old'"),
              "a|Select,Update");
    EXPECT_TRUE(LogsIn(kLegacyHost, "kt_grants_old", kPassword));
    EXPECT_FALSE(LogsIn(kLegacyHost, "kt_grants_old", "old"));
}

TEST_F(LegacyServerTest, EmptyPasswordIsTheEmptyValueAndADuplicateRowIsReported) {
    Open({QString::fromLatin1(kLegacyHost)});
    wizard->edUser->setText(QStringLiteral("kt_grants_nopw"));
    prompts.yesNo = {false};
    wizard->BitBtn1->click();
    CheckServer();
    wizard->BitBtn4->click();
    prompts.yesNo = {true};
    wizard->BitBtn10->click();
    EXPECT_EQ(Inserts(),
              std::vector<std::string>{"INSERT INTO user VALUES ('%','kt_grants_nopw','',"
                                       "'N','N','N','N','N','N','N','N','N','N','N','N','N','N')"});
    EXPECT_TRUE(LogsIn(kLegacyHost, "kt_grants_nopw", ""));

    // The same user again: the server refuses the row.
    wizard->BitBtn5->click();
    prompts.shown.clear();
    prompts.yesNo = {true};
    wizard->BitBtn10->click();
    ASSERT_EQ(prompts.shown.size(), 3);
    EXPECT_TRUE(prompts.shown[1].startsWith(QStringLiteral("Duplicate entry")))
        << prompts.shown[1].toStdString();
    EXPECT_EQ(prompts.shown[2], QStringLiteral("Failed to set privileges(USER table)!"));
}
