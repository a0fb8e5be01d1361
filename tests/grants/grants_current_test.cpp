// The wizard against a server that keeps accounts behind a view: each step sends account
// statements, and the server's own SHOW GRANTS shows what was chosen.
#include "grants_fixture.h"
#include "support/scratch_database.h"

#include "data/server_session.h"
#include "grants/grants_state.h"
#include "shell/main_window.h"
#include "ui/check_list_box.h"
#include "ui/language.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

using testserver::RootConnection;

namespace {

const QString kPassword = QStringLiteral("p'w\"x\\y");

class CurrentServerTest : public GrantsTest {
protected:
    // The wizard lists the databases by name, so the name is fixed.
    testserver::ScratchDatabase database_{testserver::ScratchDatabase::Exactly{"kt_grants_db"}};

    void SetUp() override {
        GrantsTest::SetUp();
        DropTestAccounts(root);
        root.Exec("CREATE TABLE kt_grants_db.t (a INT, b INT)");
        root.Exec("CREATE TABLE kt_grants_db.u (c INT)");
    }
    void TearDown() override {
        GrantsTest::TearDown();
        DropTestAccounts(root);
    }
    // Creates the user with the Userfrm page's step and goes on to the database page.
    void ReachDatabases(const QString& user) {
        ASSERT_NO_FATAL_FAILURE(ReachUserPrivileges(user, kPassword));
        prompts.yesNo = {true};
        wizard->BitBtn10->click();
        ASSERT_EQ(wizard->pageIndex(), TfrmGrants::DBs);
        prompts.shown.clear();
    }
    RootConnection root;
};

} // namespace

// The whole road through the main window's "Add user": every page, every step, and a login.
TEST_F(CurrentServerTest, NewUserGetsExactlyTheCheckedPrivilegesAndLogsIn) {
    TQueryFrm1 window;
    window.HostList.Add(QStringLiteral("root>") + QString::fromLatin1(testserver::kHost));
    QStringList databases;
    QStringList tables;
    QStringList columns;
    QStringList statementShown;
    prompts.dialogs.push_back([&](QDialog& dialog) {
        auto& w = static_cast<TfrmGrants&>(dialog);
        w.edUser->setText(QStringLiteral("kt_grants_e2e"));
        w.edPwd->setText(kPassword);
        w.edConfirm->setText(kPassword);
        w.BitBtn1->click();
        w.Grantor->setText(QStringLiteral("root"));
        w.GrantorPWD->setText(QStringLiteral("kestrel"));
        w.clbHosts->SetChecked(0, true);
        w.BitBtn4->click();
        ASSERT_NO_FATAL_FAILURE(
            Check(w.clbUserpriv,
                  {QStringLiteral("Select_priv"), QStringLiteral("Show_db_priv"),
                   QStringLiteral("Create_tmp_table_priv"), QStringLiteral("Grant_priv")}));
        w.BitBtn10->click();
        databases = w.clbDB->Texts();
        ASSERT_NO_FATAL_FAILURE(Check(w.clbDB, {QStringLiteral("kt_grants_db")}));
        w.BitBtn7->click();
        EXPECT_TRUE(w.clbHostpriv->Texts().isEmpty());
        ASSERT_NO_FATAL_FAILURE(
            Check(w.clbDBpriv, {QStringLiteral("Insert_priv"), QStringLiteral("Delete_priv")}));
        w.BitBtn13->click();
        tables = w.clbTable->Texts();
        ASSERT_NO_FATAL_FAILURE(Check(w.clbTable, {QStringLiteral("t")}));
        ASSERT_NO_FATAL_FAILURE(
            Check(w.clbTablepriv, {QStringLiteral("Update"), QStringLiteral("Alter")}));
        w.BitBtn16->click();
        columns = w.clbCol->Texts();
        ASSERT_NO_FATAL_FAILURE(Check(w.clbCol, {QStringLiteral("b")}));
        ASSERT_NO_FATAL_FAILURE(
            Check(w.clbColpriv, {QStringLiteral("Select"), QStringLiteral("References")}));
        w.BitBtn18->click();
        EXPECT_EQ(w.clbCol->Texts(), QStringList{QStringLiteral("a")});
        w.reject();
    });
    prompts.yesNo = {true, true, true, true};
    window.Adduser1Click();

    QStringList serverDatabases;
    for (const auto& row : root.Rows("SHOW DATABASES"))
        serverDatabases.append(QString::fromStdString(row.at(0)));
    EXPECT_EQ(databases, serverDatabases);
    EXPECT_EQ(tables, (QStringList{QStringLiteral("t"), QStringLiteral("u")}));
    EXPECT_EQ(columns, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    const std::vector<std::string> grants = Grants(root, "kt_grants_e2e");
    ASSERT_EQ(grants.size(), 3u);
    EXPECT_TRUE(grants[0].starts_with("GRANT SELECT, SHOW DATABASES, CREATE TEMPORARY TABLES ON "
                                      "*.* TO `kt_grants_e2e`@`%` IDENTIFIED BY PASSWORD"));
    EXPECT_TRUE(grants[0].ends_with("WITH GRANT OPTION"));
    // The database as picked: its "_" are no wildcards.
    EXPECT_EQ(grants[1], "GRANT INSERT, DELETE ON `kt\\_grants\\_db`.* TO `kt_grants_e2e`@`%`");
    EXPECT_EQ(grants[2], "GRANT SELECT (`b`), UPDATE, REFERENCES (`b`), ALTER ON "
                         "`kt_grants_db`.`t` TO `kt_grants_e2e`@`%`");
    EXPECT_TRUE(LogsIn(testserver::kHost, "kt_grants_e2e", kPassword.toStdString()));
    EXPECT_FALSE(LogsIn(testserver::kHost, "kt_grants_e2e", "p'w\"x"));

    const QStringList expected{
        QStringLiteral("frmGrants"),
        QStringLiteral("Grantor successfully connected!"),
        QStringLiteral("You are about to insert records in USER table! Proceed?"),
        QStringLiteral("Privileges has been set(USER table)!"),
        QStringLiteral("Privileges has been flushed!"),
        QStringLiteral("You are about to insert records in HOST and DB tables. Proceed?"),
        QStringLiteral("This server has no HOST table: the host privileges are left out."),
        QStringLiteral("Privileges has been set(DB table)!"),
        QStringLiteral("Privileges has been flushed!"),
        QStringLiteral("You are about to insert records in Table_priv table. Proceed?"),
        QStringLiteral("GRANT UPDATE, ALTER ON `kt_grants_db`.`t` TO 'kt_grants_e2e'@'%'"),
        QStringLiteral("Privileges has been set(Tables_priv table)!"),
        QStringLiteral("Privileges has been flushed!"),
        QStringLiteral("You are about to insert records in Columns_priv table! Proceed?"),
        QStringLiteral("Privileges has been set(Columns_priv table)!"),
        QStringLiteral("Privileges has been flushed!"),
    };
    EXPECT_EQ(prompts.shown, expected);
    EXPECT_FALSE(static_cast<bool>(grantsState().grantor))
        << "closing the window closes the connection";
}

TEST_F(CurrentServerTest, UserNameWithQuoteIsStoredAsTypedAndFinishCloses) {
    prompts.yesNo = {false}; // no password
    ASSERT_NO_FATAL_FAILURE(ReachUserPrivileges(QStringLiteral("kt_grants_o'q\"x"), QString()));
    prompts.yesNo = {true};
    wizard->BitBtn9->click();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(root.Value("SELECT COUNT(*) FROM mysql.user WHERE User = 'kt_grants_o\\'q\"x' AND "
                         "Host = '%'"),
              "1");
    EXPECT_TRUE(LogsIn(testserver::kHost, "kt_grants_o'q\"x", ""));
}

TEST_F(CurrentServerTest, NoToAStepWritesNothingAndTheWizardMovesOn) {
    ASSERT_NO_FATAL_FAILURE(
        ReachUserPrivileges(QStringLiteral("kt_grants_no"), QStringLiteral("pw")));
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbUserpriv, {QStringLiteral("Select_priv")}));
    prompts.yesNo = {false};
    wizard->BitBtn10->click();
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral(
                                 "You are about to insert records in USER table! Proceed?")});
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::DBs);
    EXPECT_EQ(root.Value("SELECT COUNT(*) FROM mysql.user WHERE User = 'kt_grants_no'"), "0");

    // A checked column with no account privilege is refused by name, before any question.
    wizard->BitBtn5->click();
    wizard->clbUserpriv->AddEntry(QStringLiteral("Odd_priv"), true);
    prompts.shown.clear();
    wizard->BitBtn10->click();
    EXPECT_EQ(prompts.shown,
              QStringList{QStringLiteral("The server has no account privilege for "
                                         "the column Odd_priv: nothing was written.")});
    EXPECT_EQ(root.Value("SELECT COUNT(*) FROM mysql.user WHERE User = 'kt_grants_no'"), "0");
}

TEST_F(CurrentServerTest, DuplicateUserIsReportedWithTheFailureMessage) {
    root.Exec("CREATE USER 'kt_grants_dup'@'%' IDENTIFIED BY 'old'");
    ASSERT_NO_FATAL_FAILURE(
        ReachUserPrivileges(QStringLiteral("kt_grants_dup"), QStringLiteral("new")));
    prompts.yesNo = {true};
    wizard->BitBtn10->click();
    ASSERT_EQ(prompts.shown.size(), 3);
    EXPECT_TRUE(prompts.shown[1].contains(QStringLiteral("CREATE USER")))
        << prompts.shown[1].toStdString();
    EXPECT_EQ(prompts.shown[2], QStringLiteral("Failed to set privileges(USER table)!"));
    EXPECT_TRUE(LogsIn(testserver::kHost, "kt_grants_dup", "old"));
}

TEST_F(CurrentServerTest, StepsWithoutTableColumnOrPrivilegeSaySoAndWriteNothing) {
    ASSERT_NO_FATAL_FAILURE(
        ReachUserPrivileges(QStringLiteral("kt_grants_sel"), QStringLiteral("pw")));
    prompts.yesNo = {true};
    wizard->BitBtn10->click();
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbDB, {QStringLiteral("kt_grants_db")}));
    wizard->BitBtn7->click();
    prompts.yesNo = {false};
    wizard->BitBtn13->click();
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::Tables) << "tables are listed whatever the step did";

    wizard->clbTable->setCurrentRow(-1);
    prompts.shown.clear();
    wizard->BitBtn15->click();
    EXPECT_EQ(prompts.shown,
              QStringList{QStringLiteral("No table is selected: there is nothing to write.")});

    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbTable, {QStringLiteral("u")}));
    prompts.yesNo = {false};
    wizard->BitBtn16->click();
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::Columns);
    EXPECT_EQ(wizard->clbCol->Texts(), QStringList{QStringLiteral("c")});
    // A highlighted column is not a checked one.
    wizard->clbCol->setCurrentRow(0);
    prompts.shown.clear();
    wizard->BitBtn18->click();
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbCol, {QStringLiteral("c")}));
    wizard->BitBtn18->click();
    EXPECT_EQ(prompts.shown,
              (QStringList{QStringLiteral("No column is selected: there is nothing to write."),
                           QStringLiteral("No privilege is checked: there is nothing to write.")}));
    EXPECT_EQ(Grants(root, "kt_grants_sel").size(), 1u);

    // "< Back" on Columns empties the columns; nothing was granted on u, so it stays listed.
    wizard->BitBtn17->click();
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::Tables);
    EXPECT_TRUE(wizard->clbCol->Texts().isEmpty());
    EXPECT_EQ(wizard->clbTable->Texts(), (QStringList{QStringLiteral("t"), QStringLiteral("u")}));
}

// "_" and "%" in a database name are wildcards of a database-level privilege: a database picked
// from the list is granted as itself, not as a pattern that also matches kt_grantsXdb.
TEST_F(CurrentServerTest, ATickedDatabaseMeansThatDatabaseOnly) {
    const testserver::ScratchDatabase other(testserver::ScratchDatabase::Exactly{"kt_grantsXdb"});
    root.Exec("CREATE TABLE kt_grantsXdb.secret (s INT)");
    ReachDatabases(QStringLiteral("kt_grants_exact"));
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbDB, {QStringLiteral("kt_grants_db")}));
    wizard->BitBtn7->click();
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbDBpriv, {QStringLiteral("Select_priv")}));
    prompts.yesNo = {true};
    wizard->BitBtn12->click();
    EXPECT_EQ(Grants(root, "kt_grants_exact").at(1),
              "GRANT SELECT ON `kt\\_grants\\_db`.* TO `kt_grants_exact`@`%`");

    SessionLogin login;
    login.host = testserver::kHost;
    login.user = "kt_grants_exact";
    login.password = kPassword.toStdString();
    ServerSession user;
    ASSERT_TRUE(user.Connect(login));
    EXPECT_FALSE(user.Run("SELECT * FROM kt_grants_db.t").failed);
    EXPECT_TRUE(user.Run("SELECT * FROM kt_grantsXdb.secret").failed);
}

// With no database ticked the wizard asks before it grants on every database, "mysql" included;
// No stays on the page. Tables are listed and granted within one database only.
TEST_F(CurrentServerTest, NoTickedDatabaseIsAnExplicitQuestionAboutAllDatabases) {
    ReachDatabases(QStringLiteral("kt_grants_all"));
    wizard->clbDB->setCurrentRow(
        static_cast<int>(wizard->clbDB->Texts().indexOf(QStringLiteral("kt_grants_db"))));
    prompts.yesNo = {false};
    wizard->BitBtn7->click();
    const QString question = QStringLiteral(
        "No database is checked. Give the new user these privileges on all databases, including "
        "mysql (which holds the password hashes)?");
    EXPECT_EQ(prompts.shown, QStringList{question});
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::DBs);
    EXPECT_EQ(Grants(root, "kt_grants_all").size(), 1u);

    prompts.shown.clear();
    prompts.yesNo = {true, true};
    wizard->BitBtn7->click();
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::HostDBfrm);
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbDBpriv, {QStringLiteral("Select_priv")}));
    wizard->BitBtn13->click();
    EXPECT_EQ(Grants(root, "kt_grants_all").at(1), "GRANT SELECT ON `%`.* TO `kt_grants_all`@`%`");
    // The highlighted database is not listed in place of "all databases".
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::HostDBfrm);
    EXPECT_TRUE(wizard->clbTable->Texts().isEmpty());
    EXPECT_EQ(prompts.shown.last(),
              QStringLiteral("The privileges go to all databases: tables and columns are granted "
                             "within one database, so check one on the database page."));

    // The same question in Croatian.
    QAction english;
    english.setCheckable(true);
    english.setChecked(false);
    setLanguageFlagItem(&english);
    wizard->BitBtn11->click();
    prompts.shown.clear();
    prompts.yesNo = {false};
    wizard->BitBtn7->click();
    setLanguageFlagItem(nullptr);
    EXPECT_EQ(prompts.shown,
              QStringList{QStringLiteral("Nije označena nijedna baza. Dati novom korisniku ove "
                                         "privilegije na sve baze, uključujući mysql (u kojoj su "
                                         "sažeci zaporki)?")});
}

// The table and column steps grant on the checked entries, not on the highlighted ones, and take
// out of the lists only what was granted.
TEST_F(CurrentServerTest, TableAndColumnStepsActOnTheCheckedEntriesOnly) {
    root.Exec("CREATE TABLE kt_grants_db.v (d INT)");
    ReachDatabases(QStringLiteral("kt_grants_tick"));
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbDB, {QStringLiteral("kt_grants_db")}));
    wizard->BitBtn7->click();
    prompts.yesNo = {false};
    wizard->BitBtn13->click();
    ASSERT_EQ(wizard->clbTable->Texts(),
              (QStringList{QStringLiteral("t"), QStringLiteral("u"), QStringLiteral("v")}));

    // u and v checked, t highlighted; v is gone by the time the grant runs.
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbTable, {QStringLiteral("u"), QStringLiteral("v")}));
    wizard->clbTable->setCurrentRow(0);
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbTablepriv, {QStringLiteral("Select")}));
    root.Exec("DROP TABLE kt_grants_db.v");
    prompts.yesNo = {true};
    prompts.shown.clear();
    wizard->BitBtn15->click();
    EXPECT_EQ(prompts.shown.value(1),
              QStringLiteral("GRANT SELECT ON `kt_grants_db`.`u` TO 'kt_grants_tick'@'%'\n\r"
                             "GRANT SELECT ON `kt_grants_db`.`v` TO 'kt_grants_tick'@'%'"));
    EXPECT_EQ(prompts.shown.last(), QStringLiteral("Failed to set privileges(Tables_priv table)!"));
    EXPECT_EQ(wizard->clbTable->Texts(), (QStringList{QStringLiteral("t"), QStringLiteral("v")}));

    // Columns are those of the one checked table; two checked tables are refused first.
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbTable, {QStringLiteral("t")}));
    prompts.shown.clear();
    wizard->BitBtn16->click();
    EXPECT_EQ(prompts.shown,
              QStringList{QStringLiteral("Column privileges are granted on one table: check "
                                         "exactly one table to go on to its columns.")});
    wizard->clbTable->SetChecked(1, false);
    prompts.yesNo = {true};
    wizard->BitBtn16->click();
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::Columns);
    ASSERT_EQ(wizard->clbCol->Texts(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbCol, {QStringLiteral("a")}));
    wizard->clbCol->setCurrentRow(1);
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbColpriv, {QStringLiteral("Update")}));
    prompts.yesNo = {true};
    wizard->BitBtn18->click();
    EXPECT_EQ(wizard->clbCol->Texts(), QStringList{QStringLiteral("b")});

    const std::vector<std::string> grants = Grants(root, "kt_grants_tick");
    ASSERT_EQ(grants.size(), 3u);
    EXPECT_EQ(grants[1], "GRANT SELECT ON `kt_grants_db`.`u` TO `kt_grants_tick`@`%`");
    EXPECT_EQ(grants[2],
              "GRANT SELECT, UPDATE (`a`) ON `kt_grants_db`.`t` TO `kt_grants_tick`@`%`");

    // Back from the columns: t had something granted and leaves the list.
    wizard->BitBtn17->click();
    EXPECT_EQ(wizard->clbTable->Texts(), QStringList{QStringLiteral("v")});
}
