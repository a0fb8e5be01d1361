#include "grants_fixture.h"

#include "data/server_session.h"
#include "data/sql_values.h"
#include "grants/grants_state.h"
#include "ui/check_list_box.h"

#include <QLineEdit>
#include <QPushButton>

void GrantsTest::SetUp() {
    testserver::EnsureClientLibrary();
    ResetGrantsState();
}

void GrantsTest::TearDown() {
    wizard.reset();
    ResetGrantsState();
}

void GrantsTest::Open(const QStringList& servers) {
    wizard = std::make_unique<TfrmGrants>(servers);
}

void GrantsTest::EnterUser(const QString& user, const QString& password, const QString& host) {
    wizard->edUser->setText(user);
    wizard->edFromhost->setText(host);
    wizard->edPwd->setText(password);
    wizard->edConfirm->setText(password);
    wizard->BitBtn1->click();
}

void GrantsTest::CheckServer(const QString& grantor, const QString& password, int row) {
    wizard->Grantor->setText(grantor);
    wizard->GrantorPWD->setText(password);
    wizard->clbHosts->SetChecked(row, true);
}

void GrantsTest::Check(TCheckListBox* list, const QStringList& names) {
    for (const QString& name : names) {
        const int row = list->Texts().indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString() << " is not listed";
        list->SetChecked(row, true);
        list->setCurrentRow(row);
    }
}

void GrantsTest::ReachUserPrivileges(const QString& user, const QString& password) {
    Open();
    EnterUser(user, password);
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::ServerGrantor);
    CheckServer();
    ASSERT_TRUE(prompts.shown.contains(QStringLiteral("Grantor successfully connected!")));
    prompts.shown.clear();
    wizard->BitBtn4->click();
    ASSERT_EQ(wizard->pageIndex(), TfrmGrants::Userfrm);
}

bool LogsIn(const std::string& address, const std::string& user, const std::string& password) {
    SessionLogin login;
    login.host = address;
    login.user = user;
    login.password = password;
    ServerSession session;
    return session.Connect(login);
}

void DropTestAccounts(testserver::RootConnection& root) {
    for (const auto& row :
         root.Rows("SELECT User, Host FROM mysql.user WHERE User LIKE 'kt\\_grants\\_%'"))
        root.Exec("DROP USER IF EXISTS " + QuoteSqlValue(root.get(), row.at(0)) + "@" +
                  QuoteSqlValue(root.get(), row.at(1)));
}

std::vector<std::string> Grants(testserver::RootConnection& root, const std::string& user,
                                const std::string& host) {
    std::vector<std::string> lines;
    for (const auto& row : root.Rows("SHOW GRANTS FOR " + QuoteSqlValue(root.get(), user) + "@" +
                                     QuoteSqlValue(root.get(), host)))
        lines.push_back(row.at(0));
    return lines;
}
