// The wizard against a server that keeps accounts behind a view: each step sends account
// statements, and the server's own SHOW GRANTS shows what was chosen.
#include "grants_fixture.h"

#include "grants/grants_state.h"
#include "shell/query_frm1.h"
#include "ui/check_list_box.h"

#include <QLineEdit>
#include <QPushButton>

using testserver::RootConnection;

namespace {

class CurrentServerTest : public GrantsTest {
protected:
    void SetUp() override {
        GrantsTest::SetUp();
        DropTestAccounts(root);
        root.Exec("DROP DATABASE IF EXISTS kt_grants_db");
        root.Exec("CREATE DATABASE kt_grants_db");
        root.Exec("CREATE TABLE kt_grants_db.t (a INT, b INT)");
        root.Exec("CREATE TABLE kt_grants_db.u (c INT)");
    }
    void TearDown() override {
        GrantsTest::TearDown();
        DropTestAccounts(root);
        root.Exec("DROP DATABASE IF EXISTS kt_grants_db");
    }
    RootConnection root;
};

const QString kPassword = QStringLiteral("p'w\"x\\y");

} // namespace

// The whole road through the main window's "Add user": every page, every step, and a login.
TEST_F(CurrentServerTest, NewUserGetsExactlyTheCheckedPrivilegesAndLogsIn) {
    TQueryFrm1 window;
    window.HostList.Add(QStringLiteral("root>127.0.0.1"));
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
        Check(w.clbUserpriv,
              {QStringLiteral("Select_priv"), QStringLiteral("Show_db_priv"),
               QStringLiteral("Create_tmp_table_priv"), QStringLiteral("Grant_priv")});
        w.BitBtn10->click();
        databases = w.clbDB->Texts();
        Check(w.clbDB, {QStringLiteral("kt_grants_db")});
        w.BitBtn7->click();
        EXPECT_TRUE(w.clbHostpriv->Texts().isEmpty());
        Check(w.clbDBpriv, {QStringLiteral("Insert_priv"), QStringLiteral("Delete_priv")});
        w.BitBtn13->click();
        tables = w.clbTable->Texts();
        Check(w.clbTable, {QStringLiteral("t")});
        Check(w.clbTablepriv, {QStringLiteral("Update"), QStringLiteral("Alter")});
        w.BitBtn16->click();
        columns = w.clbCol->Texts();
        Check(w.clbCol, {QStringLiteral("b")});
        Check(w.clbColpriv, {QStringLiteral("Select"), QStringLiteral("References")});
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
    EXPECT_EQ(grants[1], "GRANT INSERT, DELETE ON `kt_grants_db`.* TO `kt_grants_e2e`@`%`");
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
    ReachUserPrivileges(QStringLiteral("kt_grants_o'q\"x"), QString());
    prompts.yesNo = {true};
    wizard->BitBtn9->click();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(root.Value("SELECT COUNT(*) FROM mysql.user WHERE User = 'kt_grants_o\\'q\"x' AND "
                         "Host = '%'"),
              "1");
    EXPECT_TRUE(LogsIn(testserver::kHost, "kt_grants_o'q\"x", ""));
}

TEST_F(CurrentServerTest, NoToAStepWritesNothingAndTheWizardMovesOn) {
    ReachUserPrivileges(QStringLiteral("kt_grants_no"), QStringLiteral("pw"));
    Check(wizard->clbUserpriv, {QStringLiteral("Select_priv")});
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
    ReachUserPrivileges(QStringLiteral("kt_grants_dup"), QStringLiteral("new"));
    prompts.yesNo = {true};
    wizard->BitBtn10->click();
    ASSERT_EQ(prompts.shown.size(), 3);
    EXPECT_TRUE(prompts.shown[1].contains(QStringLiteral("CREATE USER")))
        << prompts.shown[1].toStdString();
    EXPECT_EQ(prompts.shown[2], QStringLiteral("Failed to set privileges(USER table)!"));
    EXPECT_TRUE(LogsIn(testserver::kHost, "kt_grants_dup", "old"));
}

TEST_F(CurrentServerTest, StepsWithoutTableColumnOrPrivilegeSaySoAndWriteNothing) {
    ReachUserPrivileges(QStringLiteral("kt_grants_sel"), QStringLiteral("pw"));
    prompts.yesNo = {true};
    wizard->BitBtn10->click();
    Check(wizard->clbDB, {QStringLiteral("kt_grants_db")});
    wizard->BitBtn7->click();
    prompts.yesNo = {false};
    wizard->BitBtn13->click();
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::Tables) << "tables are listed whatever the step did";

    wizard->clbTable->setCurrentRow(-1);
    prompts.shown.clear();
    wizard->BitBtn15->click();
    EXPECT_EQ(prompts.shown,
              QStringList{QStringLiteral("No table is selected: there is nothing to write.")});

    Check(wizard->clbTable, {QStringLiteral("u")});
    prompts.yesNo = {false};
    wizard->BitBtn16->click();
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::Columns);
    EXPECT_EQ(wizard->clbCol->Texts(), QStringList{QStringLiteral("c")});
    wizard->clbCol->setCurrentRow(-1);
    prompts.shown.clear();
    wizard->BitBtn18->click();
    wizard->clbCol->setCurrentRow(0);
    wizard->BitBtn18->click();
    EXPECT_EQ(prompts.shown,
              (QStringList{QStringLiteral("No column is selected: there is nothing to write."),
                           QStringLiteral("No privilege is checked: there is nothing to write.")}));
    EXPECT_EQ(Grants(root, "kt_grants_sel").size(), 1u);

    // "< Back" on Columns empties the columns and drops the finished table.
    Check(wizard->clbTable, {QStringLiteral("t")});
    wizard->BitBtn17->click();
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::Tables);
    EXPECT_TRUE(wizard->clbCol->Texts().isEmpty());
    EXPECT_EQ(wizard->clbTable->Texts(), QStringList{QStringLiteral("u")});
}
