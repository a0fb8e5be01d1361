// The filter and search bar above the data grid, over a real result.
#include "support/scratch_database.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "ui/data_source.h"
#include "ui/db_grid.h"
#include "ui/filter_bar.h"
#include "ui/language.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class FilterBarTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root_.Exec(std::string("CREATE TABLE ") + Db() +
                   ".item (id INT PRIMARY KEY, name VARCHAR(20), qty INT)");
        root_.Exec(std::string("INSERT INTO ") + Db() +
                   ".item VALUES (1,'apple',20),(2,'Avocado',3),(3,'banana',20),(4,'Čokolada',15)");
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(Db());
        q_.SetDatabase(&db_);
        source_.SetDataSet(&q_);
        auto* layout = new QVBoxLayout(&window_);
        bar_ = new TFilterBar(&window_);
        grid_ = new TDBGrid(&window_);
        layout->addWidget(bar_);
        layout->addWidget(grid_);
        grid_->setDataSource(&source_);
        bar_->setGrid(grid_);
        window_.resize(600, 300);
        window_.show();
        q_.SetSQLText("SELECT * FROM item ORDER BY id");
        q_.Open();
        Settle();
    }
    void TearDown() override {
        q_.Close();
        db_.Disconnect();
    }
    void Settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    void TypeFilter(const QString& text) {
        bar_->edtFilter->setText(text);
        QTest::keyClick(bar_->edtFilter, Qt::Key_Return);
        Settle();
    }
    int Rows() { return grid_->dataModel()->rowCount(); }
    QString Id() { return QString::fromStdString(q_.FieldByName("id").AsString()); }

    ScriptedPrompts prompts_;
    testserver::RootConnection root_;
    TMySQLDatabase db_;
    TMySQLQuery q_;
    TDataSource source_;
    QWidget window_;
    TFilterBar* bar_ = nullptr;
    TDBGrid* grid_ = nullptr;
};

TEST_F(FilterBarTest, FilterAppliesOnEnterAndAnEmptyTextSwitchesItOff) {
    EXPECT_EQ(bar_->lblFilter->buddy(), bar_->edtFilter);
    EXPECT_EQ(bar_->lblSearch->buddy(), bar_->edtSearch);
    ASSERT_EQ(Rows(), 4);
    TypeFilter("QTY > 10");
    EXPECT_TRUE(q_.Filtered());
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(grid_->dataModel()->data(grid_->dataModel()->index(2, 1)).toString(), "Čokolada");
    TypeFilter("");
    EXPECT_FALSE(q_.Filtered());
    EXPECT_EQ(Rows(), 4);
    EXPECT_TRUE(prompts_.shown.isEmpty());
}

TEST_F(FilterBarTest, AFaultyFilterIsReportedAndItsTextKept) {
    TypeFilter("QTY > 10");
    TypeFilter("QTY >> 2");
    ASSERT_EQ(prompts_.shown.size(), 1);
    EXPECT_EQ(prompts_.shown[0], BiText("The filter was not applied: Syntax error",
                                        "Filtar nije primijenjen: Syntax error"));
    EXPECT_EQ(bar_->edtFilter->text(), "QTY >> 2");
    EXPECT_EQ(Rows(), 3); // the filter before stays in effect
    // A name that is no field is a typo, not a field that is 0.
    TypeFilter("ITME = 'zzz'");
    ASSERT_EQ(prompts_.shown.size(), 2);
    EXPECT_EQ(prompts_.shown[1], BiText("The filter was not applied: Variable \"ITME\" not found",
                                        "Filtar nije primijenjen: Variable \"ITME\" not found"));
    EXPECT_EQ(Rows(), 3);
}

TEST_F(FilterBarTest, AFilterFailingOnALaterRowHidesThatRowAndSaysSoOnce) {
    std::string values;
    for (int i = 1; i <= 600; ++i)
        values += (i > 1 ? "," : "") + std::string("(") + std::to_string(i) + ",100," +
                  (i == 400 ? "0" : "1") + ")";
    root_.Exec(std::string("CREATE TABLE ") + Db() +
               ".line (id INT PRIMARY KEY, price INT, qty INT)");
    root_.Exec(std::string("INSERT INTO ") + Db() + ".line VALUES " + values);
    q_.Close();
    q_.SetSQLText("SELECT * FROM line ORDER BY id");
    q_.Open();
    Settle();
    // The rows read so far pass; the grid reads on as it scrolls to the end, past row 400.
    TypeFilter("PRICE / QTY > 50");
    EXPECT_TRUE(prompts_.shown.isEmpty());
    for (int i = 0; i < 10 && grid_->dataModel()->canFetchMore({}); ++i) {
        grid_->scrollToBottom();
        Settle();
    }
    EXPECT_FALSE(grid_->dataModel()->canFetchMore({}));
    EXPECT_EQ(Rows(), 599);
    ASSERT_EQ(prompts_.shown.size(), 1);
    EXPECT_EQ(prompts_.shown[0],
              BiText("Rows the filter cannot judge are not shown. Row 400: Division by zero",
                     "Retci koje filtar ne može procijeniti nisu prikazani. Redak 400: Division by "
                     "zero"));
    grid_->setCurrentIndex(grid_->dataModel()->index(399, 0));
    Settle();
    EXPECT_EQ(Id(), "401");
    // The same filter applied again is reported again; another one without a fault is not.
    TypeFilter("PRICE / QTY > 50");
    EXPECT_EQ(prompts_.shown.size(), 2);
    TypeFilter("PRICE > 50");
    Settle();
    EXPECT_EQ(prompts_.shown.size(), 2);
}

TEST_F(FilterBarTest, SearchGoesToTheFirstRowBeginningWithTheTextInTheCurrentColumn) {
    grid_->setCurrentIndex(grid_->dataModel()->index(0, 1));
    Settle();
    QTest::keyClicks(bar_->edtSearch, "av");
    Settle();
    EXPECT_EQ(Id(), "2");
    bar_->edtSearch->setText("čok"); // beyond ASCII: typed keys cannot carry it
    EXPECT_TRUE(bar_->search());
    Settle();
    EXPECT_EQ(Id(), "4");
    EXPECT_EQ(grid_->currentIndex().row(), 3);
    QTest::keyClicks(bar_->edtSearch, "x");
    Settle();
    EXPECT_EQ(Id(), "4"); // not found: stays, with a beep
    EXPECT_EQ(prompts_.beeps, 1);
}

TEST_F(FilterBarTest, AnotherStatementStartsUnfiltered) {
    TypeFilter("QTY > 10");
    q_.Close();
    q_.SetSQLText("SELECT id FROM item");
    q_.Open();
    Settle();
    EXPECT_FALSE(q_.Filtered());
    EXPECT_EQ(bar_->edtFilter->text(), "");
    EXPECT_EQ(Rows(), 4);
}

} // namespace
