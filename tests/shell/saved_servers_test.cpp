#include "shell/connect_frm.h"
#include "shell/main_window.h"
#include "support/scripted_prompts.h"
#include "ui/radio_group.h"
#include "ui/registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Entry {
    QString host, friendly, user, password, confirm;
    bool remember = false;
    QString socket = QStringLiteral("3360");
};

// Fills the server dialog and presses OK.
std::function<void(QDialog&)> Fill(const Entry& e) {
    return [e](QDialog& d) {
        auto& dlg = dynamic_cast<TConnectFrm&>(d);
        dlg.eHost->setText(e.host);
        dlg.eFriendly->setText(e.friendly);
        dlg.eSocket->setText(e.socket);
        dlg.eUser->setText(e.user);
        dlg.ePassword->setText(e.password);
        dlg.MaskEdit1->setText(e.confirm);
        dlg.CBSjetise->setChecked(e.remember);
        dlg.BitBtn1->click();
    };
}

std::function<void(QDialog&)> Cancel() {
    return [](QDialog& d) { dynamic_cast<TConnectFrm&>(d).BitBtn2->click(); };
}

QMap<QString, QVariant> Server(int i) {
    return Registry().ReadAll(QStringLiteral("Hostlist\\H%1").arg(i));
}

int Count() {
    Registry r;
    r.OpenKey("Hostlist", false);
    return r.ReadInteger("Count");
}

QStringList Items(const QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i)
        items << c->itemText(i);
    return items;
}

class SavedServersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSettings();
        w = std::make_unique<TQueryFrm1>();
    }
    void TearDown() override {
        w.reset();
        ClearSettings();
    }

    void Add(const Entry& e) {
        prompts.dialogs.push_back(Fill(e));
        w->Addhost1Click();
    }

    void Choose(const QString& item) {
        const int i = w->edtHostname->findText(item);
        ASSERT_GE(i, 0) << item.toStdString();
        w->edtHostname->setCurrentIndex(i);
        emit w->edtHostname->activated(i);
    }

    ScriptedPrompts prompts;
    std::unique_ptr<TQueryFrm1> w;
};

TEST_F(SavedServersTest, AddingSavesTheEntryAndReloadsTheList) {
    Add({"db1.lan", "", "root", "", ""});
    EXPECT_EQ(prompts.shown, QStringList({"ConnectFrm", "Host root>db1.lan added to the list!"}));
    EXPECT_EQ(Count(), 1);
    const auto h1 = Server(1);
    EXPECT_EQ(h1.value("Host").toString(), "db1.lan");
    EXPECT_EQ(h1.value("Friendly").toString(), "db1.lan"); // empty friendly name takes the host
    EXPECT_EQ(h1.value("User").toString(), "root");
    EXPECT_EQ(h1.value("TCPSocket").toString(), "3360");
    EXPECT_EQ(h1.value("Rememberpwd").toInt(), 0);
    EXPECT_FALSE(h1.contains("Password"));

    Add({"10.0.0.7", "Test box", "ana", "pw", "pw", true, "3307"});
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Server(2).value("Password").toString(), "pw");
    EXPECT_EQ(Server(2).value("Rememberpwd").toInt(), 1);
    // After a load the items are in saved order; the user is the last saved server's.
    EXPECT_EQ(Items(w->edtHostname), QStringList({"root>db1.lan", "ana>10.0.0.7"}));
    EXPECT_EQ(w->edtHostname->currentIndex(), -1);
    EXPECT_EQ(w->edtUsername->text(), "ana");
    EXPECT_EQ(w->HostList.Items(), QStringList({"ana>10.0.0.7", "root>db1.lan"}));
    EXPECT_EQ(w->FriendlyList.Items(), QStringList({"ana>Test box", "root>db1.lan"}));

    // A window opened later loads the same list.
    TQueryFrm1 next;
    EXPECT_EQ(Items(next.edtHostname), QStringList({"root>db1.lan", "ana>10.0.0.7"}));
}

TEST_F(SavedServersTest, DuplicatesAndUnacceptedEntriesSaveNothing) {
    Add({"db1", "one", "root", "", ""});
    prompts.shown.clear();

    Add({"db1", "other", "root", "", ""});
    EXPECT_EQ(prompts.shown.last(), "User/Host combination root>db1 allready exists!");
    // Same user and friendly name on another host would shadow the saved one.
    Add({"db2", "one", "root", "", ""});
    EXPECT_EQ(prompts.shown.last(), "User/Friendly name combination root>one already exists!");
    // Passwords differ, server or user empty, Cancel: closed silently.
    Add({"db3", "", "root", "a", "b"});
    Add({"", "", "root", "", ""});
    Add({"db3", "", "", "", ""});
    prompts.dialogs.push_back(Cancel());
    w->Addhost1Click();
    EXPECT_EQ(prompts.shown.count("ConnectFrm"), 6);
    EXPECT_EQ(prompts.shown.size(), 8);
    EXPECT_EQ(Count(), 1);
    EXPECT_FALSE(Registry().KeyExists("Hostlist\\H2"));

    // Croatian texts follow the language flag.
    w->English1->setChecked(false);
    Add({"db1", "x", "root", "", ""});
    EXPECT_EQ(prompts.shown.last(), "Korisnik/Host kombinacija root>db1 već postoji!");
}

// A settings file that cannot be written is reported; the server is not said to be added.
TEST_F(SavedServersTest, ASettingsWriteThatFailsIsReportedNotAdded) {
    const QString path =
        QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).fileName();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be
    Add({"db1", "", "root", "", ""});
    QDir(path).removeRecursively();
    EXPECT_EQ(prompts.shown,
              QStringList({"ConnectFrm", "The settings file " + path +
                                             " could not be written: the server list is not "
                                             "saved."}));
    EXPECT_FALSE(w->HostList.Contains("root>db1"));
}

// Closing the window writes its place and the last user; a file that cannot take them is told.
TEST_F(SavedServersTest, ASettingsWriteAtCloseThatFailsIsReported) {
    const QString path =
        QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).fileName();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));
    w->close();
    QDir(path).removeRecursively();
    EXPECT_EQ(prompts.shown,
              QStringList({"The settings file " + path +
                           " could not be written: the window's place and the last user are not "
                           "saved."}));
}

TEST_F(SavedServersTest, TheCountByteCannotWrap) {
    {
        Registry r;
        r.OpenKey("Hostlist", true);
        r.WriteInteger("Count", 255);
    }
    w->Addhost1Click(); // refused before the dialog opens
    EXPECT_EQ(prompts.shown,
              QStringList({"The server list is full: it keeps at most 255 servers!"}));
    EXPECT_EQ(Count(), 255);
}

TEST_F(SavedServersTest, RemovingDeletesExactlyThatUserAndHostAndKeepsNumbering) {
    Add({"shared", "", "root", "", ""});
    Add({"shared", "ana's", "ana", "", ""});
    Add({"other", "", "root", "", ""});
    Choose("root>shared"); // CurrentHost is "shared", as both first entries have
    prompts.shown.clear();

    prompts.dialogs.push_back(Fill({"shared", "", "ana", "", ""}));
    w->Removehost1Click();
    EXPECT_EQ(prompts.shown.last(), "Host shared removed from the list!");
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Server(1).value("User").toString(), "root");
    EXPECT_EQ(Server(1).value("Host").toString(), "shared");
    EXPECT_EQ(Server(2).value("Host").toString(), "other");
    EXPECT_FALSE(Registry().KeyExists("Hostlist\\H3"));
    EXPECT_TRUE(w->CurrentHost.isEmpty());
    EXPECT_EQ(w->HostList.Items(), QStringList({"root>other", "root>shared"}));
    EXPECT_EQ(w->FriendlyList.Items(), QStringList({"root>other", "root>shared"}));
    EXPECT_EQ(Items(w->edtHostname), QStringList({"root>other", "root>shared"}));

    prompts.dialogs.push_back(Fill({"nowhere", "", "root", "", ""}));
    w->Removehost1Click();
    EXPECT_EQ(prompts.shown.last(), "Invalid host name!");
    EXPECT_EQ(Count(), 2);

    // Removing the first keeps the second as H1.
    prompts.dialogs.push_back(Fill({"shared", "", "root", "", ""}));
    w->Removehost1Click();
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Server(1).value("Host").toString(), "other");
    EXPECT_FALSE(Registry().KeyExists("Hostlist\\H2"));
}

TEST_F(SavedServersTest, ModifyingRewritesTheChosenEntryOnly) {
    Add({"db1", "First", "root", "secret", "secret", true});
    Add({"db2", "", "root", "", ""});
    Choose("root>db1");
    prompts.shown.clear();

    // The remembered password is shown again (masked); the confirmation must be typed again.
    prompts.dialogs.push_back([](QDialog& d) {
        auto& dlg = dynamic_cast<TConnectFrm&>(d);
        EXPECT_EQ(dlg.eHost->text(), "db1");
        EXPECT_EQ(dlg.eUser->text(), "root");
        EXPECT_EQ(dlg.eFriendly->text(), "First");
        EXPECT_EQ(dlg.ePassword->text(), "secret");
        EXPECT_EQ(dlg.ePassword->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(dlg.MaskEdit1->text().isEmpty());
        EXPECT_TRUE(dlg.CBSjetise->isChecked());
        dlg.eHost->setText("db1.lan");
        dlg.eFriendly->setText("Renamed");
        dlg.CBSjetise->setChecked(false);
        dlg.MaskEdit1->setText("secret");
        dlg.BitBtn1->click();
    });
    w->Modifyhost1Click();
    EXPECT_EQ(prompts.shown, QStringList({"ConnectFrm"}));
    EXPECT_EQ(w->CurrentHost, "db1.lan");
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Server(1).value("Host").toString(), "db1.lan");
    EXPECT_EQ(Server(1).value("Friendly").toString(), "Renamed");
    EXPECT_EQ(Server(1).value("Rememberpwd").toInt(), 0);
    EXPECT_EQ(Server(1).value("Password").toString(), "");
    EXPECT_EQ(Server(2).value("Host").toString(), "db2");
    EXPECT_EQ(Items(w->edtHostname), QStringList({"root>db1.lan", "root>db2"}));
    EXPECT_EQ(w->FriendlyList.Items(), QStringList({"root>db2", "root>Renamed"}));

    // Renaming onto another saved server is refused.
    prompts.dialogs.push_back(Fill({"db2", "", "root", "", ""}));
    w->Modifyhost1Click();
    EXPECT_EQ(prompts.shown.last(), "User/Host combination root>db2 allready exists!");
    EXPECT_EQ(Server(1).value("Host").toString(), "db1.lan");
}

TEST_F(SavedServersTest, ModifyingWithoutAMatchSavesOnlyANewPair) {
    Add({"db1", "", "root", "", ""});
    Add({"db2", "", "ana", "", ""});
    // The user name field holds the last loaded user, "ana", who has no entry on db1.
    Choose("root>db1");
    w->edtUsername->setText("ana");
    w->CurrentHost = "db1";
    prompts.shown.clear();

    prompts.dialogs.push_back(Fill({"db2", "", "ana", "", ""}));
    w->Modifyhost1Click();
    EXPECT_EQ(prompts.shown.last(), "User/Host combination ana>db2 allready exists!");
    EXPECT_EQ(Count(), 2);

    prompts.dialogs.push_back(Fill({"db1", "", "ana", "", ""}));
    w->Modifyhost1Click();
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Server(1).value("User").toString(), "root");
    EXPECT_EQ(Server(3).value("User").toString(), "ana");
    EXPECT_EQ(Server(3).value("Host").toString(), "db1");
}

TEST_F(SavedServersTest, NothingSavedAndViewing) {
    w->Modifyhost1Click(); // empty lists: nothing at all
    w->Removehost1Click();
    EXPECT_TRUE(prompts.shown.isEmpty());

    w->ViewhostsIP1Click();
    w->Viewhostsfriendly1Click();
    EXPECT_EQ(prompts.shown, QStringList({"Hosts:\n\r", "Hosts(friendly names):\n\r"}));

    Add({"db1", "Box", "root", "", ""});
    Add({"db0", "", "ana", "", ""});
    prompts.shown.clear();
    w->ViewhostsIP1Click();
    w->English1->setChecked(false);
    w->Viewhostsfriendly1Click();
    EXPECT_EQ(prompts.shown, QStringList({"Hosts:\n\rana>db0\n\rroot>db1\n\r",
                                          "Hostovi(prijateljski):\n\rana>db0\n\rroot>Box\n\r"}));

    // The settings lost their list while the window still shows one.
    ClearSettings();
    prompts.shown.clear();
    w->Modifyhost1Click();
    w->Removehost1Click();
    EXPECT_EQ(prompts.shown, QStringList({"Nema hostova u bazi!", "Nema hostova u bazi!"}));
}

TEST_F(SavedServersTest, ChoosingAServerByHostOrFriendlyName) {
    Add({"10.1.1.1", "Test box", "root", "", ""});
    Add({"10.1.1.2", "Test box", "ana", "", ""});
    w->show();
    Choose("root>10.1.1.1");
    EXPECT_EQ(w->edtUsername->text(), "root");
    EXPECT_EQ(w->CurrentHost, "10.1.1.1");
    EXPECT_EQ(w->focusWidget(), w->edtPasswd);

    // Friendly items appear at the next load; the host is looked up by user and friendly name.
    w->Usefriendlyname1Click();
    w->HostList.Clear();
    w->FriendlyList.Clear();
    w->LoadSavedServers();
    EXPECT_EQ(Items(w->edtHostname), QStringList({"root>Test box", "ana>Test box"}));
    Choose("ana>Test box");
    EXPECT_EQ(w->edtUsername->text(), "ana");
    EXPECT_EQ(w->CurrentHost, "10.1.1.2");

    // Toggled off while friendly items are shown: the friendly name serves as the host.
    w->Usefriendlyname1Click();
    Choose("root>Test box");
    EXPECT_EQ(w->CurrentHost, "Test box");
    // Toggled on while host items are shown: no entry matches, the host text itself is used.
    w->HostList.Clear();
    w->FriendlyList.Clear();
    w->LoadSavedServers();
    w->Usefriendlyname1Click();
    Choose("root>10.1.1.1");
    EXPECT_EQ(w->CurrentHost, "10.1.1.1");

    // Enter in the password field moves on to the database list.
    QTest::keyClick(w->edtPasswd, Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), w->RadioGroup1);
}

// User and friendly names may hold ">" or "@": choosing the entry still gives that user and host.
TEST_F(SavedServersTest, ChoosingAServerWhoseNamesHoldTheMark) {
    Add({"10.1.1.3", "Prod > EU", "a>b", "", ""});
    Add({"10.1.1.4", "Mail", "ops@corp", "", ""});
    w->show();
    Choose("a>b>10.1.1.3");
    EXPECT_EQ(w->edtUsername->text(), "a>b");
    EXPECT_EQ(w->CurrentHost, "10.1.1.3");
    EXPECT_EQ(w->connectionInputs().serverEntry, "a>b>10.1.1.3");
    Choose("ops@corp>10.1.1.4");
    EXPECT_EQ(w->edtUsername->text(), "ops@corp");
    EXPECT_EQ(w->CurrentHost, "10.1.1.4");

    w->Usefriendlyname1Click();
    w->HostList.Clear();
    w->FriendlyList.Clear();
    w->LoadSavedServers();
    Choose("a>b>Prod > EU");
    EXPECT_EQ(w->edtUsername->text(), "a>b");
    EXPECT_EQ(w->CurrentHost, "10.1.1.3");
}

} // namespace
