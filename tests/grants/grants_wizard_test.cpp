// The wizard's pages, the user page checks, the grant check and its refusals.
#include "grants_fixture.h"

#include "grants/grants_state.h"
#include "grants/grants_wizard.h"
#include "shell/main_window.h"
#include "ui/check_list_box.h"
#include "ui/language.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

using testserver::RootConnection;

TEST_F(GrantsTest, UserPageChecksPasswordsAndFields) {
    Open();
    wizard->edUser->setText(QStringLiteral("kt_grants_a"));
    wizard->edPwd->setText(QStringLiteral("one"));
    wizard->edConfirm->setText(QStringLiteral("two"));
    wizard->BitBtn1->click();
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral("Repeat password!")});
    EXPECT_TRUE(wizard->edPwd->text().isEmpty());
    EXPECT_TRUE(wizard->edConfirm->text().isEmpty());
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::User);

    // Empty password: Yes keeps the page, No goes on without one.
    prompts.shown.clear();
    prompts.yesNo = {true, false};
    wizard->BitBtn1->click();
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::User);
    wizard->BitBtn1->click();
    EXPECT_EQ(prompts.shown.value(1),
              QStringLiteral("It is strongly against security policies not to use password! "
                             "Use password?"));
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::ServerGrantor);

    // A missing user name keeps the page without a message.
    wizard->BitBtn2->click();
    wizard->edUser->clear();
    wizard->edPwd->setText(QStringLiteral("p"));
    wizard->edConfirm->setText(QStringLiteral("p"));
    prompts.shown.clear();
    wizard->BitBtn1->click();
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::User);
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(GrantsTest, CroatianMessages) {
    QAction english;
    english.setCheckable(true);
    english.setChecked(false);
    setLanguageFlagItem(&english);
    Open();
    wizard->edPwd->setText(QStringLiteral("a"));
    wizard->BitBtn1->click();
    prompts.yesNo = {true};
    wizard->BitBtn1->click();
    EXPECT_EQ(prompts.shown, (QStringList{QStringLiteral("Ponovo unesite zaporku!"),
                                          QStringLiteral("Rad bez zaporke vrlo je nesiguran! "
                                                         "Koristiti zaporku?")}));
    setLanguageFlagItem(nullptr);
}

TEST_F(GrantsTest, GrantCheckListsPrivilegeColumnsOnceAndSaysHowTheServerKeepsAccounts) {
    ASSERT_NO_FATAL_FAILURE(
        ReachUserPrivileges(QStringLiteral("kt_grants_chk"), QStringLiteral("x")));
    RootConnection root;
    QStringList expected;
    for (const auto& row : root.Rows("SHOW FIELDS FROM mysql.user"))
        if (row.at(0).find("priv") != std::string::npos)
            expected.append(QString::fromStdString(row.at(0)));
    EXPECT_EQ(wizard->clbUserpriv->Texts(), expected);
    EXPECT_EQ(wizard->layout(), PrivilegeLayout::Accounts);
    EXPECT_TRUE(wizard->lblLayout->text().contains(QStringLiteral("CREATE USER")));
    EXPECT_EQ(grantsState().targetServer, QString::fromLatin1(testserver::kHost));
    EXPECT_EQ(grantsState().checkedServerCount, 1);

    // Checking again reads the columns anew instead of adding them a second time.
    wizard->clbHosts->SetChecked(0, false);
    wizard->clbHosts->SetChecked(0, true);
    EXPECT_EQ(wizard->clbUserpriv->Texts(), expected);
}

TEST_F(GrantsTest, GrantCheckRefusesWrongPasswordPlainAccountAndGrantorWithoutGrantRight) {
    RootConnection root;
    DropTestAccounts(root);
    root.Exec("CREATE USER 'kt_grants_nogrant'@'%' IDENTIFIED BY 'ng'");
    root.Exec("GRANT SELECT ON mysql.* TO 'kt_grants_nogrant'@'%'");
    Open();
    CheckServer(QStringLiteral("root"), QStringLiteral("wrong"));
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[0].startsWith(QStringLiteral("Access denied")))
        << prompts.shown[0].toStdString();
    EXPECT_EQ(prompts.shown[1], QStringLiteral("Grantor aborted!"));
    // A refused check takes its check mark away.
    EXPECT_FALSE(wizard->clbHosts->Checked(0));

    prompts.shown.clear();
    wizard->clbHosts->SetChecked(0, false);
    CheckServer(QStringLiteral("plain"), QStringLiteral("plain"));
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[0].contains(QStringLiteral("mysql")));
    EXPECT_EQ(prompts.shown[1], QStringLiteral("Grantor aborted!"));

    prompts.shown.clear();
    wizard->clbHosts->SetChecked(0, false);
    CheckServer(QStringLiteral("kt_grants_nogrant"), QStringLiteral("ng"));
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral("You do not have grant privileges!")});
    EXPECT_FALSE(wizard->clbHosts->Checked(0));
    EXPECT_FALSE(static_cast<bool>(grantsState().grantor));
    EXPECT_TRUE(wizard->clbUserpriv->Texts().isEmpty());

    // No passed check: a write step refuses before asking anything.
    prompts.shown.clear();
    wizard->BitBtn4->click();
    wizard->clbUserpriv->AddEntry(QStringLiteral("Select_priv"), true);
    wizard->BitBtn10->click();
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown.value(0).startsWith(QStringLiteral("No server has passed")));
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::DBs);
    DropTestAccounts(root);
}

TEST_F(GrantsTest, EmptyGrantorKeepsFocusAndASecondServerIsRefused) {
    Open({QString::fromLatin1(testserver::kHost), QString::fromLatin1(kLegacyHost)});
    wizard->show();
    wizard->BitBtn1->setFocus();
    wizard->clbHosts->SetChecked(1, true);
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(wizard->focusWidget(), wizard->Grantor);
    EXPECT_FALSE(wizard->clbHosts->Checked(1)) << "no check ran, so no check mark stays";
    wizard->clbHosts->SetChecked(1, false);

    CheckServer();
    ASSERT_EQ(prompts.shown.value(0), QStringLiteral("Grantor successfully connected!"));
    prompts.shown.clear();
    wizard->clbHosts->SetChecked(1, true);
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].contains(QString::fromLatin1(testserver::kHost)));
    EXPECT_FALSE(wizard->clbHosts->Checked(1));
    EXPECT_EQ(grantsState().targetServer, QString::fromLatin1(testserver::kHost));
}

TEST_F(GrantsTest, BackButtonsEmptyWhatTheNextPageReads) {
    ASSERT_NO_FATAL_FAILURE(
        ReachUserPrivileges(QStringLiteral("kt_grants_back"), QStringLiteral("x")));
    const QStringList privileges = wizard->clbUserpriv->Texts();
    ASSERT_FALSE(privileges.isEmpty());
    ASSERT_NO_FATAL_FAILURE(Check(wizard->clbUserpriv, {QStringLiteral("Select_priv")}));
    wizard->BitBtn8->click();
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::ServerGrantor);
    // Forward again without a new check: the privilege columns and their marks are still there
    // ("Next >" on the server page reads nothing anew).
    wizard->BitBtn4->click();
    EXPECT_EQ(wizard->clbUserpriv->Texts(), privileges);
    EXPECT_EQ(wizard->clbUserpriv->CheckedTexts(), QStringList{QStringLiteral("Select_priv")});
    prompts.yesNo = {false};
    wizard->BitBtn10->click();
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral(
                                 "You are about to insert records in USER table! Proceed?")});
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::DBs);
    wizard->BitBtn5->click();
    wizard->BitBtn8->click();
    wizard->BitBtn2->click();
    EXPECT_EQ(wizard->pageIndex(), TfrmGrants::User);
    EXPECT_TRUE(wizard->Grantor->text().isEmpty());
    EXPECT_TRUE(wizard->GrantorPWD->text().isEmpty());
}

TEST_F(GrantsTest, AddUserOffersTheSavedServersOnceEach) {
    TQueryFrm1 window;
    window.HostList.Add(QStringLiteral("root>127.0.0.3"));
    window.HostList.Add(QStringLiteral("plain>127.0.0.1"));
    window.HostList.Add(QStringLiteral("root>127.0.0.1"));
    QStringList offered;
    prompts.dialogs.push_back([&](QDialog& dialog) {
        offered = dialog.findChild<TCheckListBox*>(QStringLiteral("clbHosts"))->Texts();
    });
    window.Adduser1Click();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.3")}));
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral("frmGrants")});
}

// The wizard offers the addresses of the saved servers, once each, whatever the user names hold.
TEST(GrantsWizardServers, TheAddressesOfTheSavedServersOnceEach) {
    EXPECT_EQ(SavedServerAddresses({"root>db2", "a>b>db1", "ops@corp>db1", "x>", "root>db2"}),
              QStringList({"", "db1", "db2"}));
}

// Each page shows its own help beside it and its own buttons under it, numbered from left to right.
TEST(GrantsWizardPages, EachPageHasItsHelpAndItsButtons) {
    TfrmGrants wizard({});
    const std::pair<QPlainTextEdit*, const char*> helpStarts[] = {
        {wizard.Memo1, "Please enter identification data\nfor the new user."},
        {wizard.Memo2, "Please enter identification data\nfor grantor"},
        {wizard.Memo3, "Please check set of global\n"},
        {wizard.Memo4, "Please check database to set\n"},
        {wizard.Memo5, "Please check privileges from HOST\n"},
        {wizard.Memo6, "Please check table to set\n"},
        {wizard.Memo7, "Please check column to set\n"},
    };
    for (int page = 0; page < 7; ++page) {
        const auto& [memo, start] = helpStarts[page];
        EXPECT_EQ(memo->parentWidget(), wizard.PC1->widget(page)) << page;
        EXPECT_TRUE(memo->toPlainText().startsWith(QString::fromUtf8(start))) << page;
    }
    // Each page's buttons from left to right, and the number of the first.
    const std::pair<int, std::vector<QPushButton*>> rows[] = {
        {1, {wizard.BitBtn1}},
        {2, {wizard.BitBtn2, wizard.BitBtn3, wizard.BitBtn4}},
        {8, {wizard.BitBtn8, wizard.BitBtn9, wizard.BitBtn10}},
        {5, {wizard.BitBtn5, wizard.BitBtn6, wizard.BitBtn7}},
        {11, {wizard.BitBtn11, wizard.BitBtn12, wizard.BitBtn13}},
        {14, {wizard.BitBtn14, wizard.BitBtn15, wizard.BitBtn16}},
        {17, {wizard.BitBtn17, wizard.BitBtn18}},
    };
    wizard.show();
    for (int page = 0; page < 7; ++page) {
        wizard.PC1->setCurrentIndex(page);
        QApplication::processEvents();
        const auto& [first, buttons] = rows[page];
        int left = -1;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            QPushButton* b = buttons[i];
            EXPECT_EQ(b->objectName(), QStringLiteral("BitBtn%1").arg(first + int(i)));
            EXPECT_EQ(b->parentWidget(), wizard.PC1->widget(page)) << page;
            EXPECT_GT(b->x(), left) << page;
            left = b->x();
        }
    }
}
