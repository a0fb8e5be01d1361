// "Empty table" and "Drop table" against the test server.
#include "tables_fixture.h"

#include "data/sql_names.h"
#include "tables/table_commands.h"
#include "ui/radio_group.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
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
        ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
        ForgetPrompts();
    }

    int Rows(const char* table) {
        return std::stoi(
            Value(std::string("SELECT COUNT(*) FROM ") + kDb + "." + QuoteName(table)));
    }
};

} // namespace

TEST_F(TableCommandsTest, NoToEitherQuestionChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("a")));
    SetCroatian();
    prompts.yesNo = {false, false};
    Trigger("Emptytable1");
    Trigger("Droptable1");
    EXPECT_EQ(prompts.shown, QStringList({"Isprazniti tablicu \"a\" u bazi \"kt_tables_cmds\"?",
                                          "Pobrisati tablicu \"a\" u bazi \"kt_tables_cmds\"?"}));
    EXPECT_EQ(Rows("a"), 2);
    EXPECT_EQ(ServerTables(kDb).size(), 6);
    EXPECT_EQ(window->ListBox1->count(), 6);
    EXPECT_EQ(window->RadioGroup1->currentItem(), QString::fromLatin1(kDb));
    EXPECT_FALSE(dm->MySQLQuery1.Active());
}

TEST_F(TableCommandsTest, EmptyTableShowsTheEmptiedTable) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("a LIMIT 1")));
    prompts.yesNo = {true};
    Trigger("Emptytable1");
    EXPECT_EQ(prompts.shown,
              QStringList({"Empty table \"a LIMIT 1\" in database \"kt_tables_cmds\"?"}));
    EXPECT_EQ(Rows("a LIMIT 1"), 0);
    EXPECT_EQ(Rows("a"), 2);
    ASSERT_TRUE(dm->MySQLQuery1.Active());
    EXPECT_EQ(dm->MySQLQuery1.RecordCount(), 0);
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", kDb, "a LIMIT 1", "0", ""}));
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(TableCommandsTest, DropTableEmptiesTheListAndDeselects) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("a,b")));
    prompts.yesNo = {true};
    Trigger("Droptable1");
    EXPECT_EQ(prompts.shown, QStringList({"Delete table \"a,b\" in database \"kt_tables_cmds\"?"}));
    EXPECT_EQ(ServerTables(kDb), QStringList({"a", "a LIMIT 1", "b", "my table", "order"}));
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_TRUE(window->edtDatabase->text().isEmpty());
    EXPECT_EQ(window->RadioGroup1->itemIndex(), -1);
    EXPECT_TRUE(window->RadioGroup1->items().contains(kDb));
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", "", "", "", ""}));
}

TEST_F(TableCommandsTest, EachCommandReachesOnlyItsOwnTable) {
    for (const char* name : {"my table", "order", "a,b"}) {
        ASSERT_NO_FATAL_FAILURE(SelectTable(QString::fromUtf8(name)));
        prompts.yesNo = {true};
        Trigger("Emptytable1");
        EXPECT_EQ(Rows(name), 0) << name;
    }
    EXPECT_EQ(Rows("a"), 2);
    EXPECT_EQ(Rows("b"), 2);
    EXPECT_EQ(Rows("a LIMIT 1"), 2);
    for (const char* name : {"my table", "order", "a LIMIT 1"}) {
        ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
        ASSERT_NO_FATAL_FAILURE(SelectTable(QString::fromUtf8(name)));
        prompts.yesNo = {true};
        Trigger("Droptable1");
    }
    EXPECT_EQ(ServerTables(kDb), QStringList({"a", "a,b", "b"}));
    EXPECT_TRUE(prompts.shown.filter("error", Qt::CaseInsensitive).isEmpty())
        << prompts.shown.join('|').toStdString();
}

TEST_F(TableCommandsTest, NothingWithoutATableOfTheSelectedDatabase) {
    // No table selected: no question.
    Trigger("Emptytable1");
    Trigger("Droptable1");
    // After Show Databases the list still holds the tables, and no database is selected.
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("a")));
    Trigger("ShowDatabases1");
    ASSERT_EQ(window->ListBox1->count(), 6);
    Trigger("Emptytable1");
    Trigger("Droptable1");
    // An empty table list.
    CreateDatabase("kt_tables_none");
    ASSERT_NO_FATAL_FAILURE(ClickDatabase("kt_tables_none"));
    Trigger("Emptytable1");
    Trigger("Droptable1");
    EXPECT_TRUE(prompts.shown.isEmpty()) << prompts.shown.join('|').toStdString();
    EXPECT_EQ(ServerTables(kDb).size(), 6);
}

TEST_F(TableCommandsTest, ARefusedStatementIsShownAndTheWindowStillRefreshed) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("b")));
    root->Exec(std::string("DROP TABLE ") + kDb + ".b");
    prompts.yesNo = {true};
    Trigger("Droptable1");
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith("Unknown table")) << prompts.shown[1].toStdString();
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_EQ(window->RadioGroup1->itemIndex(), -1);

    // A refused login: its text, no statement and no refresh.
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("a")));
    window->edtPasswd->setText(QStringLiteral("wrong"));
    ForgetPrompts();
    prompts.yesNo = {true};
    Trigger("Droptable1");
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith("Access denied")) << prompts.shown[1].toStdString();
    EXPECT_EQ(window->ListBox1->count(), 5);
    EXPECT_EQ(Rows("a"), 2);
}

TEST_F(TableCommandsTest, MenusAndToolbarReachTheCommands) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("a")));
    prompts.yesNo = {false, false, false, false, false, false};
    for (QAction* item :
         {window->Emptytable1, window->Emptytable2, window->Droptable1, window->Droptable2})
        item->trigger();
    window->SpeedButton(22)->click();
    window->SpeedButton(23)->click();
    const QString empty = "Empty table \"a\" in database \"kt_tables_cmds\"?";
    const QString drop = "Delete table \"a\" in database \"kt_tables_cmds\"?";
    EXPECT_EQ(prompts.shown, QStringList({empty, empty, drop, drop, empty, drop}));
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

TEST_F(TableCommandsTest, EmptyAndDropRefuseAViewAndNameIt) {
    Exec(kDb, "CREATE VIEW v_ok AS SELECT id FROM a");
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("v_ok")));
    ForgetPrompts();
    prompts.yesNo = {true, true};
    Trigger("Emptytable1");
    Trigger("Droptable1");
    const QString refused = "\"v_ok\" in database \"kt_tables_cmds\" is a view, not a table: "
                            "Empty table and Drop table act on tables only. Nothing was changed.";
    EXPECT_EQ(prompts.shown,
              QStringList({"Empty table \"v_ok\" in database \"kt_tables_cmds\"?", refused,
                           "Delete table \"v_ok\" in database \"kt_tables_cmds\"?", refused}));
    EXPECT_EQ(prompts.icons.value(1), PromptIcon::Warning);
    EXPECT_EQ(Rows("a"), 2) << "the view's base table keeps its rows";
    EXPECT_TRUE(ServerTables(kDb).contains("v_ok"));
    // Nothing was sent, so nothing is refreshed: the view stays selected.
    EXPECT_EQ(window->RadioGroup1->currentItem(), QString::fromLatin1(kDb));
    EXPECT_EQ(ChosenTableOfDatabase(*window)->table, "v_ok");

    SetCroatian();
    ForgetPrompts();
    prompts.yesNo = {true};
    Trigger("Emptytable1");
    EXPECT_EQ(prompts.shown.value(1),
              "\"v_ok\" u bazi \"kt_tables_cmds\" je pogled, a ne tablica: pražnjenje i "
              "brisanje tablice rade samo na tablicama. Ništa nije promijenjeno.");
    EXPECT_EQ(Rows("a"), 2);
}

TEST_F(TableCommandsTest, TheStatusBarNamesTheTableSelectedByKeysOrTheRightButton) {
    QListWidget* list = window->ListBox1;
    const QRect first = list->visualItemRect(list->findItems("a", Qt::MatchExactly).front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(Panels().value(3), "a");
    window->ListBox1->setFocus();
    QTest::keyClick(window->ListBox1, Qt::Key_Down);
    const QString next = window->ListBox1->currentItem()->text();
    ASSERT_NE(next, "a");
    EXPECT_EQ(Panels().value(3), next);
    // The right button selects the table under the mouse; the menu's commands act on it.
    const QRect last =
        window->ListBox1->visualItemRect(window->ListBox1->item(window->ListBox1->count() - 1));
    QTest::mousePress(window->ListBox1->viewport(), Qt::RightButton, {}, last.center());
    const QString underMouse = window->ListBox1->item(window->ListBox1->count() - 1)->text();
    EXPECT_EQ(Panels().value(3), underMouse);
    prompts.yesNo = {false};
    Trigger("Emptytable1");
    EXPECT_EQ(prompts.shown.back(),
              "Empty table \"" + underMouse + "\" in database \"kt_tables_cmds\"?");
}
