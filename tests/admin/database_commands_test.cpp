#include "admin_fixture.h"

#include "data/sql_names.h"
#include "support/scratch_database.h"
#include "support/statement_watch.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

using namespace testserver;

namespace {

class DatabaseCommandsTest : public AdminTest {
protected:
    void SetUp() override {
        AdminTest::SetUp();
        root = std::make_unique<RootConnection>();
    }
    void TearDown() override {
        for (const std::string& name : expected)
            root->Exec("DROP DATABASE IF EXISTS " + QuoteName(name));
        AdminTest::TearDown();
        created.clear();
    }
    // A database of the test under this name (the commands are typed or shown the name).
    void Create(const std::string& name) {
        created.push_back(std::make_unique<ScratchDatabase>(ScratchDatabase::Exactly{name}));
    }
    // Names the test expects the program to create; dropped afterwards.
    void Expect(const std::string& name) { expected.push_back(name); }
    bool Exists(const std::string& name) {
        return ServerDatabases(*root).contains(QString::fromStdString(name));
    }
    // Shows the databases and selects one.
    void Select(const std::string& name) {
        Trigger("ShowDatabases1");
        const int i = window->RadioGroup1->items().indexOf(QString::fromStdString(name));
        ASSERT_GE(i, 0) << name;
        window->RadioGroup1->setItemIndex(i);
        prompts.shown.clear();
        prompts.cursors.clear();
    }

    std::unique_ptr<RootConnection> root;
    std::vector<std::unique_ptr<ScratchDatabase>> created;
    std::vector<std::string> expected;
};

} // namespace

TEST_F(DatabaseCommandsTest, ShowDatabasesListsExactlyTheServersRowsWithNoneSelected) {
    Create("kt_admin_listed");
    ChooseRoot();
    window->RadioGroup1->setItems({QStringLiteral("stale"), QStringLiteral("old")});
    window->RadioGroup1->setItemIndex(1);
    FillPanels(QStringLiteral("before"));
    // Other clients create and drop databases meanwhile: compare with a moment that held still.
    QStringList server, listed;
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QStringList before = ServerDatabases(*root);
        Trigger("ShowDatabases1");
        listed = window->RadioGroup1->items();
        server = ServerDatabases(*root);
        if (before == server)
            break;
    }
    EXPECT_EQ(listed, server);
    EXPECT_TRUE(listed.contains(QStringLiteral("kt_admin_listed")));
    EXPECT_EQ(window->RadioGroup1->itemIndex(), -1);
    EXPECT_EQ(Panels(), QStringList({testserver::kHost, "root", "", "", "", "before5"}));
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(DatabaseCommandsTest, ShowDatabasesAfterARefusedLoginLeavesTheListEmpty) {
    Choose(QStringLiteral("root"), QStringLiteral("wrong"));
    window->RadioGroup1->setItems({QStringLiteral("stale")});
    FillPanels(QStringLiteral("before"));
    Trigger("ShowDatabases1");
    EXPECT_EQ(window->RadioGroup1->count(), 0);
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].startsWith(QStringLiteral("Access denied")));
    EXPECT_EQ(Panels()[0], QStringLiteral("before0"));
}

TEST_F(DatabaseCommandsTest, EnterInThePasswordShowsTheDatabasesAndMovesToTheList) {
    ChooseRoot();
    window->show();
    QApplication::setActiveWindow(window.get());
    window->edtPasswd->setFocus();
    QTest::keyClick(window->edtPasswd, Qt::Key_Return);
    EXPECT_TRUE(window->RadioGroup1->items().contains(QStringLiteral("mysql")));
    EXPECT_TRUE(window->RadioGroup1->hasFocus());
}

TEST_F(DatabaseCommandsTest, CreateDbSendsTheNameAsTypedThenClearsAndRefreshes) {
    Expect("kt_admin_created");
    ChooseRoot();
    window->ListBox1->addItem(QStringLiteral("a_table"));
    window->edtDatabase->setText(QStringLiteral("somedb"));
    prompts.inputs = {QStringLiteral("kt_admin_created"), QString()};
    Trigger("CreateDB1");
    EXPECT_TRUE(Exists("kt_admin_created"));
    EXPECT_TRUE(window->RadioGroup1->items().contains(QStringLiteral("kt_admin_created")));
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_TRUE(window->edtDatabase->text().isEmpty());
    EXPECT_EQ(prompts.shown, QStringList({"Database name:|Enter name:"}));

    // An empty name: "CREATE DATABASE " alone, the server's syntax error, and the refresh all
    // the same.
    prompts.shown.clear();
    window->RadioGroup1->clearItems();
    window->ListBox1->addItem(QStringLiteral("a_table"));
    Trigger("CreateDB1");
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith(QStringLiteral("You have an error in your SQL syntax")))
        << prompts.shown[1].toStdString();
    EXPECT_TRUE(window->RadioGroup1->items().contains(QStringLiteral("kt_admin_created")));
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_EQ(prompts.inputStartValues, QStringList({testserver::kHost, testserver::kHost}));
}

TEST_F(DatabaseCommandsTest, CreateDbCancelledSendsTheServerLabel) {
    Expect("kt_admin_label");
    Choose(QStringLiteral("root"), QStringLiteral("kestrel"), QString::fromLatin1(kHost),
           QStringLiteral("kt_admin_label"));
    SetCroatian();
    prompts.inputs = {std::nullopt};
    Trigger("CreateDB1");
    EXPECT_EQ(prompts.shown, QStringList({"Ime nove baze:|Unesite ime:"}));
    EXPECT_TRUE(Exists("kt_admin_label"));
    EXPECT_TRUE(window->RadioGroup1->items().contains(QStringLiteral("kt_admin_label")));
}

TEST_F(DatabaseCommandsTest, CreateDbNeedsOnlyTheServerEntryOrTheUserName) {
    ChooseRoot();
    window->edtHostname->clear();
    window->edtUsername->clear();
    Trigger("CreateDB1");
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_TRUE(prompts.cursors.isEmpty());

    // With the user name alone it connects and asks; the refresh then needs both and does nothing.
    Expect("kt_admin_user_only");
    window->edtUsername->setText(QStringLiteral("root"));
    prompts.inputs = {QStringLiteral("kt_admin_user_only")};
    Trigger("CreateDB1");
    EXPECT_EQ(prompts.inputStartValues, QStringList({QString()}));
    EXPECT_TRUE(Exists("kt_admin_user_only"));
    EXPECT_EQ(window->RadioGroup1->count(), 0);
}

TEST_F(DatabaseCommandsTest, DropDbAsksFirstAndNoLeavesEverything) {
    Create("kt_admin_keep");
    ChooseRoot();
    Trigger("DropDB1"); // nothing selected: nothing asked
    EXPECT_TRUE(prompts.shown.isEmpty());

    Select("kt_admin_keep");
    const QStringList items = window->RadioGroup1->items();
    prompts.yesNo = {false, false};
    Trigger("DropDB1");
    SetCroatian();
    Trigger("DropDB1");
    EXPECT_EQ(prompts.shown, QStringList({"Delete database?", "Pobrisati bazu?"}));
    EXPECT_TRUE(prompts.cursors.isEmpty());
    EXPECT_TRUE(Exists("kt_admin_keep"));
    EXPECT_EQ(window->RadioGroup1->items(), items);
    EXPECT_EQ(window->RadioGroup1->currentItem(), QStringLiteral("kt_admin_keep"));
}

TEST_F(DatabaseCommandsTest, DropDbDropsTheSelectedDatabaseThenClearsAndRefreshes) {
    Create("kt_admin_dropped");
    ChooseRoot();
    Select("kt_admin_dropped");
    window->ListBox1->addItem(QStringLiteral("a_table"));
    window->edtDatabase->setText(QStringLiteral("kt_admin_dropped"));
    FillPanels(QStringLiteral("before"));
    prompts.yesNo = {true};
    Trigger("DropDB1");
    EXPECT_EQ(prompts.shown, QStringList({"Delete database?"}));
    EXPECT_FALSE(Exists("kt_admin_dropped"));
    EXPECT_FALSE(window->RadioGroup1->items().contains(QStringLiteral("kt_admin_dropped")));
    EXPECT_TRUE(window->RadioGroup1->items().contains(QStringLiteral("mysql")));
    EXPECT_EQ(window->RadioGroup1->itemIndex(), -1);
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_TRUE(window->edtDatabase->text().isEmpty());
    EXPECT_EQ(Panels(), QStringList({testserver::kHost, "root", "", "", "", "before5"}));
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(DatabaseCommandsTest, DropDbOfADatabaseAnotherClientDroppedShowsTheErrorWithoutRefresh) {
    Create("kt_admin_gone");
    ChooseRoot();
    Select("kt_admin_gone");
    root->Exec("DROP DATABASE kt_admin_gone");
    const QStringList items = window->RadioGroup1->items();
    prompts.yesNo = {true};
    Trigger("DropDB1");
    EXPECT_EQ(prompts.shown, QStringList({"Delete database?", "Unknown database 'kt_admin_gone'"}));
    EXPECT_EQ(window->RadioGroup1->items(), items);
    EXPECT_EQ(prompts.cursors.last(), CursorShape::Arrow);
}

TEST_F(DatabaseCommandsTest, DropDbOfNamesThatNeedQuoting) {
    for (const std::string name : {"kt_admin drop-me, too", "kt_admin`tick", "kt_admin;DROP"}) {
        Create(name);
        ChooseRoot();
        Select(name);
        prompts.yesNo = {true};
        Trigger("DropDB1");
        EXPECT_EQ(prompts.shown, QStringList({"Delete database?"})) << name;
        EXPECT_FALSE(Exists(name)) << name;
        EXPECT_FALSE(window->RadioGroup1->items().contains(QString::fromStdString(name))) << name;
    }
}

TEST_F(DatabaseCommandsTest, ACommandStartedWhileAnotherRunsIsIgnored) {
    ChooseRoot();
    int tries = 0;
    prompts.onProcessEvents = [&] {
        ++tries;
        window->Ping1->trigger();
        window->SpeedButton(17)->click();
        window->Clear1->trigger();
    };
    Trigger("ShowDatabases1");
    prompts.onProcessEvents = nullptr;
    EXPECT_GT(tries, 0);
    EXPECT_TRUE(prompts.shown.isEmpty()) << prompts.shown.join('|').toStdString();
    EXPECT_TRUE(window->RadioGroup1->items().contains(QStringLiteral("mysql")));

    // Once it has finished the next command runs.
    window->Ping1->trigger();
    EXPECT_EQ(prompts.shown, QStringList({"Alive!"}));
}

TEST_F(DatabaseCommandsTest, ADropDbThatWaitsForALockCanBeStoppedAndKeepsTheDatabase) {
    Create("kt_admin_busy");
    root->Exec("CREATE TABLE kt_admin_busy.t (id INT)");
    // Another client reads the table in an open transaction: DROP DATABASE waits for it.
    RootConnection reader;
    reader.Exec("BEGIN");
    reader.Rows("SELECT * FROM kt_admin_busy.t");
    ChooseRoot();
    Select("kt_admin_busy");
    const QStringList items = window->RadioGroup1->items();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    prompts.yesNo = {true};
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::Stop);
        Trigger("DropDB1");
        watch.CommandEnded();
        EXPECT_TRUE(watch.stopEnabled);
        EXPECT_GT(watch.paints, 0);
        EXPECT_GE(watch.EndedAfterActionMs(), 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    window->hide();
    EXPECT_EQ(prompts.shown, QStringList({"Delete database?", "Stopped by the operator"}));
    EXPECT_TRUE(Exists("kt_admin_busy"));
    EXPECT_EQ(window->RadioGroup1->items(), items);
    reader.Exec("COMMIT");
}
