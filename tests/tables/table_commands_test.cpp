// "Empty table" and "Drop table" against the test server.
#include "tables_fixture.h"

#include "data/sql_names.h"
#include "ui/radio_group.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

namespace {

constexpr const char* kDb = "kt_tables_cmds";

class TableCommandsTest : public TablesTest {
protected:
    void SetUp() override {
        TablesTest::SetUp();
        CreateDatabase(kDb);
        for (const char* name : {"a", "b", "a,b", "a LIMIT 1", "my table", "order"}) {
            const std::string table = QuoteName(name);
            Exec(kDb, "CREATE TABLE " + table + " (id INT)");
            Exec(kDb, "INSERT INTO " + table + " VALUES (1), (2)");
        }
        ChooseRoot();
        ClickDatabase(kDb);
        ForgetPrompts();
    }

    int Rows(const char* table) {
        return std::stoi(
            Value(std::string("SELECT COUNT(*) FROM ") + kDb + "." + QuoteName(table)));
    }
};

} // namespace

TEST_F(TableCommandsTest, NoToEitherQuestionChangesNothing) {
    SelectTable(QStringLiteral("a"));
    SetCroatian();
    prompts.yesNo = {false, false};
    window->Emptytable1Click();
    window->Droptable1Click();
    EXPECT_EQ(prompts.shown, QStringList({"Isprazniti tablicu?", "Pobrisati tablicu?"}));
    EXPECT_EQ(Rows("a"), 2);
    EXPECT_EQ(ServerTables(kDb).size(), 6);
    EXPECT_EQ(window->ListBox1->count(), 6);
    EXPECT_EQ(window->RadioGroup1->currentItem(), QString::fromLatin1(kDb));
    EXPECT_FALSE(dm->MySQLQuery1.Active());
}

TEST_F(TableCommandsTest, EmptyTableShowsTheEmptiedTable) {
    SelectTable(QStringLiteral("a LIMIT 1"));
    prompts.yesNo = {true};
    window->Emptytable1Click();
    EXPECT_EQ(prompts.shown, QStringList({"Empty table?"}));
    EXPECT_EQ(Rows("a LIMIT 1"), 0);
    EXPECT_EQ(Rows("a"), 2);
    ASSERT_TRUE(dm->MySQLQuery1.Active());
    EXPECT_EQ(dm->MySQLQuery1.RecordCount(), 0);
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", kDb, "a LIMIT 1", "0", ""}));
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(TableCommandsTest, DropTableEmptiesTheListAndDeselects) {
    SelectTable(QStringLiteral("a,b"));
    prompts.yesNo = {true};
    window->Droptable1Click();
    EXPECT_EQ(prompts.shown, QStringList({"Delete table?"}));
    EXPECT_EQ(ServerTables(kDb), QStringList({"a", "a LIMIT 1", "b", "my table", "order"}));
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_TRUE(window->edtDatabase->text().isEmpty());
    EXPECT_EQ(window->RadioGroup1->itemIndex(), -1);
    EXPECT_TRUE(window->RadioGroup1->items().contains(kDb));
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", "", "", "", ""}));
}

TEST_F(TableCommandsTest, EachCommandReachesOnlyItsOwnTable) {
    for (const char* name : {"my table", "order", "a,b"}) {
        SelectTable(QString::fromUtf8(name));
        prompts.yesNo = {true};
        window->Emptytable1Click();
        EXPECT_EQ(Rows(name), 0) << name;
    }
    EXPECT_EQ(Rows("a"), 2);
    EXPECT_EQ(Rows("b"), 2);
    EXPECT_EQ(Rows("a LIMIT 1"), 2);
    for (const char* name : {"my table", "order", "a LIMIT 1"}) {
        ClickDatabase(kDb);
        SelectTable(QString::fromUtf8(name));
        prompts.yesNo = {true};
        window->Droptable1Click();
    }
    EXPECT_EQ(ServerTables(kDb), QStringList({"a", "a,b", "b"}));
    EXPECT_TRUE(prompts.shown.filter("error", Qt::CaseInsensitive).isEmpty())
        << prompts.shown.join('|').toStdString();
}

TEST_F(TableCommandsTest, NothingWithoutATableOfTheSelectedDatabase) {
    // No table selected: no question.
    window->Emptytable1Click();
    window->Droptable1Click();
    // After Show Databases the list still holds the tables, and no database is selected.
    SelectTable(QStringLiteral("a"));
    window->ShowDatabases1Click();
    ASSERT_EQ(window->ListBox1->count(), 6);
    window->Emptytable1Click();
    window->Droptable1Click();
    // An empty table list.
    CreateDatabase("kt_tables_none");
    ClickDatabase("kt_tables_none");
    window->Emptytable1Click();
    window->Droptable1Click();
    EXPECT_TRUE(prompts.shown.isEmpty()) << prompts.shown.join('|').toStdString();
    EXPECT_EQ(ServerTables(kDb).size(), 6);
}

TEST_F(TableCommandsTest, ARefusedStatementIsShownAndTheWindowStillRefreshed) {
    SelectTable(QStringLiteral("b"));
    root->Exec(std::string("DROP TABLE ") + kDb + ".b");
    prompts.yesNo = {true};
    window->Droptable1Click();
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith("Unknown table")) << prompts.shown[1].toStdString();
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_EQ(window->RadioGroup1->itemIndex(), -1);

    // A refused login: its text, no statement and no refresh.
    ClickDatabase(kDb);
    SelectTable(QStringLiteral("a"));
    window->edtPasswd->setText(QStringLiteral("wrong"));
    ForgetPrompts();
    prompts.yesNo = {true};
    window->Droptable1Click();
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith("Access denied")) << prompts.shown[1].toStdString();
    EXPECT_EQ(window->ListBox1->count(), 5);
    EXPECT_EQ(Rows("a"), 2);
}

TEST_F(TableCommandsTest, MenusAndToolbarReachTheCommands) {
    SelectTable(QStringLiteral("a"));
    prompts.yesNo = {false, false, false, false, false, false};
    for (QAction* item :
         {window->Emptytable1, window->Emptytable2, window->Droptable1, window->Droptable2})
        item->trigger();
    window->SpeedButton(22)->click();
    window->SpeedButton(23)->click();
    EXPECT_EQ(prompts.shown, QStringList({"Empty table?", "Empty table?", "Delete table?",
                                          "Delete table?", "Empty table?", "Delete table?"}));
    ForgetPrompts();
    for (int i = 0; i < 3; ++i)
        prompts.dialogs.push_back([](QDialog&) {});
    window->Viewtable1->trigger();
    window->Viewtable2->trigger();
    window->SpeedButton(20)->click();
    EXPECT_EQ(prompts.shown, QStringList(3, QStringLiteral("frmPropstbl")));
    window->Dumpdatabse1->trigger();
    window->SpeedButton(16)->click();
    EXPECT_EQ(launched.files.size(), 2);
}
