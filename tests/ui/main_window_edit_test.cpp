// Editing rows as an operator does: in the main window's grid, with the keyboard and the
// navigator, against a table like the demo's and a keyless table holding equal rows.
#include "support/scratch_database.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include "shell/data_module.h"
#include "shell/main_window.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainWindowEdit : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        Sql("CREATE TABLE customers (id INT NOT NULL AUTO_INCREMENT PRIMARY KEY, name VARCHAR(60) "
            "NOT NULL, city VARCHAR(40), joined DATE, credit DECIMAL(10,2) DEFAULT 0.00)");
        Sql("INSERT INTO customers (name, city, joined, credit) VALUES ('Ana', 'Split', "
            "'2020-03-01', 10.50), ('Ivo', NULL, NULL, 0.00)");
        Sql("CREATE TABLE visits (day DATE, note VARCHAR(20))");
        Sql("INSERT INTO visits VALUES ('2024-01-01','same'),('2024-01-01','same'),"
            "('2024-01-02',NULL)");
        ClearSettings();
        window_ = std::make_unique<TQueryFrm1>();
        dm_ = std::make_unique<TDM1>();
        window_->AttachDataModule(*dm_);
        window_->resize(640, 480);
        window_->show();
        TMySQLDatabase& db = dm_->MySQLDatabase1;
        db.SetHost(testserver::kHost);
        db.SetLogin(testserver::kRootUser);
        db.SetPassword(testserver::kRootPassword);
        db.SetDatabase(Db());
    }
    void TearDown() override {
        dm_.reset();
        window_.reset();
        ClearSettings();
    }
    void Sql(const std::string& sql) {
        root_.Exec(std::string("USE ") + Db());
        root_.Exec(sql);
    }
    std::string Value(const std::string& sql) {
        root_.Exec(std::string("USE ") + Db());
        return root_.Value(sql);
    }
    void Show(const std::string& table) {
        TMySQLQuery& q = dm_->MySQLQuery1;
        q.Close();
        q.SetSQLText("SELECT * FROM " + table);
        q.RequestLive = true;
        q.Open();
        Settle();
    }
    void Settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    TDBGrid& Grid() { return *window_->DBGrid1; }
    // Goes to a cell, opens its editor with F2, types the text over the value and presses Enter.
    void Type(int row, int column, const QString& text) {
        Grid().setFocus();
        Grid().setCurrentIndex(Grid().model()->index(row, column));
        Settle();
        QTest::keyClick(&Grid(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << "no editor opened";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    }
    void Click(TDBNavigator::Button b) {
        window_->DBNavigator1->button(b)->click();
        Settle();
    }
    QString Cell(int row, int column) {
        return Grid().model()->index(row, column).data().toString();
    }

    ScriptedPrompts prompts_;
    testserver::RootConnection root_;
    std::unique_ptr<TQueryFrm1> window_;
    std::unique_ptr<TDM1> dm_;
};

TEST_F(MainWindowEdit, EditInsertAndDeleteWithKeyboardAndNavigator) {
    Show("customers");
    ASSERT_EQ(Grid().model()->rowCount(), 2);
    // Edit a cell, leave the row with the arrow key: the row is written.
    Type(1, 2, "Zadar");
    EXPECT_EQ(dm_->MySQLQuery1.State(), DataSetState::Edit);
    QTest::keyClick(&Grid(), Qt::Key_Up);
    Settle();
    EXPECT_EQ(dm_->MySQLQuery1.State(), DataSetState::Browse);
    EXPECT_EQ(Value("SELECT city FROM customers WHERE name = 'Ivo'"), "Zadar");

    // A new row: the id comes from the server, the credit from the column's default.
    Click(TDBNavigator::Insert);
    const int newRow = Grid().currentIndex().row();
    EXPECT_EQ(Cell(newRow, 4), "0.00");
    Type(newRow, 1, "Maja");
    Click(TDBNavigator::Post);
    EXPECT_TRUE(prompts_.shown.isEmpty()) << prompts_.shown.join("|").toStdString();
    ASSERT_EQ(Grid().model()->rowCount(), 3);
    EXPECT_EQ(Grid().currentIndex().row(), 2);
    EXPECT_EQ(Cell(2, 0), "3");
    EXPECT_EQ(Cell(2, 1), "Maja");
    EXPECT_EQ(Value("SELECT CONCAT(id, ' ', credit) FROM customers WHERE name = 'Maja'"), "3 0.00");

    // A failed post: the values stay on screen, the grid stays on the row, the message is shown.
    Type(2, 1, "");
    Click(TDBNavigator::Post);
    // An empty name is a value (NOT NULL holds); then a key another row has.
    Type(2, 0, "1");
    Click(TDBNavigator::Post);
    ASSERT_FALSE(prompts_.shown.isEmpty());
    EXPECT_TRUE(prompts_.shown.last().contains("Duplicate")) << prompts_.shown.last().toStdString();
    EXPECT_EQ(Cell(2, 0), "1");
    EXPECT_EQ(Grid().currentIndex().row(), 2);
    Click(TDBNavigator::Cancel);
    EXPECT_EQ(Cell(2, 0), "3");

    prompts_.yesNo.push_back(true);
    Click(TDBNavigator::Delete);
    EXPECT_EQ(Grid().model()->rowCount(), 2);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM customers"), "2");
    Grid().grab().save(QStringLiteral("/tmp/kt_live_main_window.png"));
}

TEST_F(MainWindowEdit, AKeylessTableWithEqualRowsChangesOneRowAtATime) {
    Show("visits");
    ASSERT_EQ(Grid().model()->rowCount(), 3);
    Type(0, 1, "first");
    QTest::keyClick(&Grid(), Qt::Key_Down);
    Settle();
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(note ORDER BY note) FROM visits"), "first,same");
    // The other equal row deleted: one row goes.
    Grid().setCurrentIndex(Grid().model()->index(1, 1));
    Settle();
    prompts_.yesNo.push_back(true);
    Click(TDBNavigator::Delete);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM visits"), "2");
    // The row with a NULL is found too.
    Type(1, 1, "was null");
    Click(TDBNavigator::Post);
    EXPECT_EQ(Value("SELECT note FROM visits WHERE day = '2024-01-02'"), "was null");
    // Insert into a keyless table.
    Click(TDBNavigator::Insert);
    Type(Grid().currentIndex().row(), 1, "new");
    Click(TDBNavigator::Post);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM visits WHERE note = 'new'"), "1");
    EXPECT_TRUE(prompts_.shown == QStringList({"Delete record?"}))
        << prompts_.shown.join("|").toStdString();
}

} // namespace
