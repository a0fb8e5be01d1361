#include "browse_fixture.h"

#include "ui/radio_group.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

using namespace testserver;

namespace {

constexpr const char* kDb = "kt_browse_tables";

QStringList Items(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts.append(list.item(i)->text());
    return texts;
}

unsigned long SharedThreadId(TMySQLDatabase& db) {
    MYSQL* h = db.DirConnect().Handle();
    return db.Connected() && h ? Client().mysql_thread_id(h) : 0;
}

} // namespace

TEST_F(BrowseTest, TableListOfAnEmptyAndAFilledDatabase) {
    CreateDatabase("kt_browse_empty");
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE beta (id INT)");
    Exec(kDb, "CREATE TABLE alpha (id INT)");
    Exec(kDb, "CREATE TABLE `with blank` (id INT)");
    ChooseRoot();
    window->ListBox1->addItem(QStringLiteral("stale"));
    FillPanels(QStringLiteral("old"));

    ASSERT_NO_FATAL_FAILURE(ClickDatabase("kt_browse_empty"));
    EXPECT_EQ(window->edtDatabase->text(), QStringLiteral("kt_browse_empty"));
    EXPECT_EQ(window->ListBox1->count(), 0);
    // Panel 0 shows the host itself here, not the entry's label.
    EXPECT_EQ(Panels(),
              QStringList({testserver::kHost, "root", "kt_browse_empty", "", "", "old5"}));
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_FALSE(window->AdminHandle);

    ForgetPrompts();
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    EXPECT_EQ(Items(*window->ListBox1), QStringList({"alpha", "beta", "with blank"}));
    EXPECT_EQ(window->ListBox1->currentRow(), -1);
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_FALSE(window->AdminHandle);

    // A click on the list writes the context with the entry's label; no click without a database.
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("beta")));
    window->ListBox1Click();
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", kDb, "beta", "", "old5"}));
    window->RadioGroup1->setItemIndex(-1);
    window->RadioGroup1Click();
    EXPECT_EQ(window->ListBox1->count(), 3);
}

TEST_F(BrowseTest, TableListFailuresAreShownAndLeaveTheListEmpty) {
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE t (id INT)");
    ChooseRoot();
    Trigger("ShowDatabases1");
    window->RadioGroup1->setItemIndex(window->RadioGroup1->items().indexOf(kDb));
    ForgetPrompts();

    // A refused login: the library's own text.
    window->edtPasswd->setText(QStringLiteral("wrong"));
    window->ListBox1->addItem(QStringLiteral("stale"));
    FillPanels(QStringLiteral("old"));
    window->RadioGroup1Click();
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].startsWith(QStringLiteral("Access denied for user 'root'")))
        << prompts.shown[0].toStdString();
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_EQ(window->edtDatabase->text(), QString::fromLatin1(kDb));
    EXPECT_EQ(window->FRSB1 ? Panels().at(2) : QString(), QStringLiteral("old2"));
    EXPECT_FALSE(window->AdminHandle);
    EXPECT_TRUE(prompts.cursors.isEmpty()); // no busy cursor while the list loads

    // A database dropped after the list was filled, in both languages.
    window->edtPasswd->setText(QStringLiteral("kestrel"));
    root->Exec(std::string("DROP DATABASE ") + kDb);
    ForgetPrompts();
    window->RadioGroup1Click();
    SetCroatian();
    window->RadioGroup1Click();
    EXPECT_EQ(prompts.shown, QStringList({QStringLiteral("Error attaching to: ") + kDb,
                                          QStringLiteral("Greška u spajanju na: ") + kDb}));
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(BrowseTest, RightButtonSelectsTheTableUnderTheMouseBeforeTheMenuOpens) {
    for (const char* name : {"one", "two", "three"})
        window->ListBox1->addItem(QString::fromLatin1(name));
    window->resize(TQueryFrm1::kDesignWidth, TQueryFrm1::kDesignHeight);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->ListBox1->setCurrentRow(0);
    QWidget* viewport = window->ListBox1->viewport();
    const QPoint third = window->ListBox1->visualItemRect(window->ListBox1->item(2)).center();

    QTest::mousePress(viewport, Qt::RightButton, {}, third);
    EXPECT_EQ(window->ListBox1->selectedItems().value(0)->text(), QStringLiteral("three"));
    QTest::mouseRelease(viewport, Qt::RightButton, {}, third);
    // The context menu request opens the right-click menu on the selected table.
    emit window->ListBox1->customContextMenuRequested(third);
    EXPECT_TRUE(window->PopupMenu1->isVisible());
    window->PopupMenu1->close();

    const QPoint below(third.x(), viewport->height() - 2);
    ASSERT_EQ(window->ListBox1->itemAt(below), nullptr);
    QTest::mousePress(viewport, Qt::RightButton, {}, below);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, below);
    EXPECT_TRUE(window->ListBox1->selectedItems().isEmpty());
    EXPECT_EQ(window->ListBox1->currentRow(), -1);
    window->hide();
}

TEST_F(BrowseTest, ViewingTablesReconnectsAndCountsTheRows) {
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE small (id INT PRIMARY KEY)");
    Exec(kDb, "INSERT INTO small VALUES (1), (2)");
    Exec(kDb, "CREATE TABLE larger (id INT PRIMARY KEY)");
    Exec(kDb, "INSERT INTO larger VALUES (1), (2), (3), (4), (5)");
    ChooseRoot();
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));

    // No table chosen: nothing opens, panel 3 stays empty.
    FillPanels(QStringLiteral("old"));
    window->ListBox1DblClick();
    EXPECT_FALSE(Query().Active());
    EXPECT_FALSE(Database().Connected());
    EXPECT_EQ(Panels().at(3), QStringLiteral("old3"));

    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("small")));
    window->ListBox1DblClick();
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Query().SQL(), std::vector<std::string>{"SELECT * FROM small"});
    EXPECT_TRUE(Query().CanModify());
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", kDb, "small", "2", "old5"}));
    EXPECT_EQ(Database().Database(), kDb);
    EXPECT_EQ(Database().Host(), testserver::kHost);
    EXPECT_EQ(Database().Login(), "root");
    const unsigned long first = SharedThreadId(Database());
    ASSERT_NE(first, 0u);

    // A statement that cannot be edited clears RequestLive; the next table is live again.
    Query().Close();
    Query().SetSQLText("SHOW TABLES");
    Query().Open();
    EXPECT_FALSE(Query().RequestLive);

    // The operator's double click on the item.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QPoint larger =
        window->ListBox1->visualItemRect(window->ListBox1->findItems("larger", Qt::MatchExactly)[0])
            .center();
    QTest::mouseClick(window->ListBox1->viewport(), Qt::LeftButton, {}, larger);
    QTest::mouseDClick(window->ListBox1->viewport(), Qt::LeftButton, {}, larger);
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Query().SQL(), std::vector<std::string>{"SELECT * FROM larger"});
    EXPECT_NE(SharedThreadId(Database()), first);
    EXPECT_TRUE(Query().CanModify());
    EXPECT_EQ(Panels().mid(3, 2), QStringList({"larger", "5"}));
    EXPECT_TRUE(prompts.shown.isEmpty());
    window->hide();
}

TEST_F(BrowseTest, TableNamesThatNeedQuotingOpen) {
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE `my table` (id INT)");
    Exec(kDb, "INSERT INTO `my table` VALUES (1)");
    Exec(kDb, "CREATE TABLE `order` (id INT)");
    Exec(kDb, "INSERT INTO `order` VALUES (1), (2)");
    Exec(kDb, "CREATE TABLE `odd-``name` (id INT)");
    Exec(kDb, "INSERT INTO `odd-``name` VALUES (1), (2), (3)");
    ChooseRoot();
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    const std::pair<const char*, const char*> cases[] = {
        {"my table", "SELECT * FROM `my table`"},
        {"order", "SELECT * FROM `order`"},
        {"odd-`name", "SELECT * FROM `odd-``name`"},
    };
    int rows = 0;
    for (const auto& [table, statement] : cases) {
        ASSERT_NO_FATAL_FAILURE(SelectTable(QString::fromUtf8(table)));
        window->ListBox1DblClick();
        ASSERT_TRUE(Query().Active()) << table << ": " << prompts.shown.join('|').toStdString();
        EXPECT_EQ(Query().SQLText(), statement);
        EXPECT_EQ(Panels().at(4), QString::number(++rows));
    }
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(BrowseTest, ATableViewThatCannotConnectOrOpenIsReportedAndChangesNothing) {
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE t (id INT)");
    ChooseRoot();
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("t")));
    FillPanels(QStringLiteral("old"));

    window->edtPasswd->setText(QStringLiteral("wrong"));
    window->ListBox1DblClick();
    EXPECT_EQ(prompts.shown, QStringList({"Connect to server error"}));
    EXPECT_FALSE(Query().Active());
    EXPECT_EQ(Panels().at(0), QStringLiteral("old0"));

    // The table went away meanwhile: the server's text.
    window->edtPasswd->setText(QStringLiteral("kestrel"));
    Exec(kDb, "DROP TABLE t");
    ForgetPrompts();
    window->ListBox1DblClick();
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].contains(QStringLiteral("doesn't exist")));
    EXPECT_FALSE(Query().Active());
    EXPECT_EQ(Panels().at(4), QStringLiteral("old4"));
}
