// Editing through the grid and the navigator: the dataset's states drive the buttons, rows are
// written back, and a row that cannot be written keeps the operator's changes on screen.
#include "grid_fixture.h"

#include "data/db_error.h"
#include "data/live_errors.h"
#include "ui/data_errors.h"
#include "ui/language.h"

#include <QAction>

#include <QLineEdit>
#include <QTest>

namespace {

class GridEditTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Use("CREATE TABLE t (id INT PRIMARY KEY, name VARCHAR(10), n INT)");
        Use("INSERT INTO t VALUES (1,'a',10),(2,'b',NULL),(3,'c',30)");
        q_.RequestLive = true;
        Open("SELECT * FROM t ORDER BY id");
        ASSERT_TRUE(q_.CanModify());
    }
    void ExpectButtons(std::initializer_list<TDBNavigator::Button> enabled) {
        for (int b = 0; b < TDBNavigator::Count; ++b) {
            const bool want = std::find(enabled.begin(), enabled.end(), b) != enabled.end();
            EXPECT_EQ(On(TDBNavigator::Button(b)), want) << "button " << b;
        }
    }
    QString WriteError() const { return prompts_.shown.value(prompts_.shown.size() - 1); }
};

TEST_F(GridEditTest, CellEditFailedPostKeepsTheEditAndCancelRestores) {
    using B = TDBNavigator;
    ExpectButtons({B::Next, B::Last, B::Insert, B::Delete, B::Edit, B::Refresh});

    // A commit of an untouched cell changes nothing, not even the state.
    EXPECT_TRUE(Model().setData(Model().index(0, 1), "a"));
    EXPECT_TRUE(Model().setData(Model().index(1, 2), ""));
    EXPECT_EQ(q_.State(), DataSetState::Browse);
    EXPECT_EQ(q_.RecNo(), 2);

    // Editing a cell of another row moves there, edits, and shows the edited value.
    ASSERT_TRUE(Model().flags(Model().index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(Model().setData(Model().index(0, 1), "changed"));
    Settle();
    EXPECT_EQ(q_.State(), DataSetState::Edit);
    EXPECT_EQ(q_.RecNo(), 1);
    EXPECT_EQ(GridRow(), 0);
    EXPECT_EQ(Cell(0, 1), "changed");
    EXPECT_EQ(Model().headerData(0, Qt::Vertical).toString(), "I");
    ExpectButtons({B::Next, B::Last, B::Insert, B::Delete, B::Post, B::Cancel, B::Refresh});
    // An emptied number is NULL.
    EXPECT_TRUE(Model().setData(Model().index(0, 2), ""));
    EXPECT_TRUE(Model().data(Model().index(0, 2), TDataSetModel::IsNullRole).toBool());

    // Another connection deleted the row: the post says so and the edit stays, on screen too.
    Use("DELETE FROM t WHERE id = 1");
    Click(B::Post);
    ASSERT_EQ(prompts_.shown.size(), 1);
    EXPECT_EQ(WriteError(), DataErrorText(ERowChanged()));
    EXPECT_EQ(q_.State(), DataSetState::Edit);
    EXPECT_EQ(Cell(0, 1), "changed");

    // Leaving the row tries to post as well: the dataset and the grid stay on the edited row.
    grid_->setCurrentIndex(Model().index(2, 1));
    Settle();
    EXPECT_EQ(prompts_.shown.size(), 2);
    EXPECT_EQ(q_.RecNo(), 1);
    EXPECT_EQ(GridRow(), 0);
    EXPECT_EQ(Cell(0, 1), "changed");
    QTest::keyClick(grid_, Qt::Key_End, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(prompts_.shown.size(), 3);
    EXPECT_EQ(q_.State(), DataSetState::Edit);
    EXPECT_EQ(GridRow(), 0);

    // Cancel brings back the row as read.
    Click(B::Cancel);
    EXPECT_EQ(q_.State(), DataSetState::Browse);
    EXPECT_EQ(Cell(0, 1), "a");
    EXPECT_EQ(Cell(0, 2), "10");
    EXPECT_EQ(Model().data(Model().index(0, 1), Qt::EditRole).toString(), "a");
    EXPECT_EQ(prompts_.shown.size(), 3);
}

TEST_F(GridEditTest, InsertShowsANewRowUntilCancelled) {
    using B = TDBNavigator;
    grid_->setCurrentIndex(Model().index(1, 0));
    Settle();
    Click(B::Insert);
    EXPECT_EQ(q_.State(), DataSetState::Insert);
    ASSERT_EQ(Model().rowCount(), 4);
    EXPECT_EQ(GridRow(), 1); // the new row goes before the current one
    EXPECT_EQ(Model().headerData(1, Qt::Vertical).toString(), "*");
    EXPECT_EQ(Cell(1, 0), "0"); // a key column starts from its type's default
    EXPECT_EQ(Cell(2, 1), "b"); // the rows after it move down
    ExpectButtons({B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Post, B::Cancel,
                   B::Refresh});

    EXPECT_TRUE(Model().setData(Model().index(1, 1), "new"));
    EXPECT_TRUE(Model().setData(Model().index(1, 0), "2")); // a key the table has
    EXPECT_EQ(Cell(1, 1), "new");
    EXPECT_EQ(q_.FieldByName("name").AsString(), "new");
    Click(B::Post);
    EXPECT_EQ(prompts_.shown.size(), 1);
    EXPECT_TRUE(WriteError().contains("Duplicate")) << WriteError().toStdString();
    EXPECT_EQ(q_.State(), DataSetState::Insert);
    EXPECT_EQ(Cell(1, 1), "new");

    // Escape in the grid cancels the row being inserted.
    QTest::keyClick(grid_, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(q_.State(), DataSetState::Browse);
    EXPECT_EQ(Model().rowCount(), 3);
    EXPECT_EQ(Cell(1, 1), "b");
    EXPECT_EQ(GridRow(), 1);
    EXPECT_EQ(q_.RecNo(), 2);

    // Delete asks first; No leaves everything as it is.
    prompts_.yesNo.push_back(false);
    Click(B::Delete);
    EXPECT_EQ(prompts_.shown.last(), "Delete record?");
    EXPECT_EQ(Model().rowCount(), 3);
}

TEST_F(GridEditTest, EditsInsertsAndDeletesReachTheServer) {
    using B = TDBNavigator;
    // A cell edited and posted by moving to another row.
    EXPECT_TRUE(Model().setData(Model().index(1, 1), "B"));
    grid_->setCurrentIndex(Model().index(2, 1));
    Settle();
    EXPECT_EQ(q_.State(), DataSetState::Browse);
    EXPECT_EQ(root_->Value(std::string("SELECT name FROM ") + Db() + ".t WHERE id = 2"), "B");
    // A new row in the middle, posted: it goes to the end and becomes current there.
    Click(B::Insert);
    EXPECT_TRUE(Model().setData(Model().index(2, 0), "9"));
    EXPECT_TRUE(Model().setData(Model().index(2, 1), "nine"));
    Click(B::Post);
    EXPECT_TRUE(prompts_.shown.isEmpty());
    ASSERT_EQ(Model().rowCount(), 4);
    EXPECT_EQ(Cell(3, 1), "nine");
    EXPECT_EQ(Cell(2, 1), "c");
    EXPECT_EQ(GridRow(), 3);
    EXPECT_EQ(root_->Value(std::string("SELECT name FROM ") + Db() + ".t WHERE id = 9"), "nine");
    // Deleted after the question.
    prompts_.yesNo.push_back(true);
    Click(B::Delete);
    EXPECT_EQ(Model().rowCount(), 3);
    EXPECT_EQ(root_->Value(std::string("SELECT COUNT(*) FROM ") + Db() + ".t"), "3");
    EXPECT_EQ(GridRow(), 2);
    EXPECT_EQ(prompts_.shown, QStringList{"Delete record?"});
}

TEST_F(GridEditTest, ATextThatIsNoNumberIsRefusedAndStaysInTheCell) {
    grid_->setCurrentIndex(Model().index(0, 2));
    Settle();
    EXPECT_FALSE(Model().setData(Model().index(0, 2), "12,5"));
    ASSERT_EQ(prompts_.shown.size(), 1);
    EXPECT_EQ(WriteError(), DataErrorText(ENotAValue("n", "12,5")));
    EXPECT_TRUE(WriteError().contains("12,5"));
    Settle();
    // The operator's text waits in the cell's editor to be corrected; nothing was set.
    auto* editor = grid_->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "12,5");
    EXPECT_EQ(grid_->currentIndex(), Model().index(0, 2));
    EXPECT_EQ(q_.FieldByName("n").AsString(), "10");
    EXPECT_EQ(root_->Value(std::string("SELECT n FROM ") + Db() + ".t WHERE id = 1"), "10");
}

TEST_F(GridEditTest, DeletedRowsUnderCachedUpdatesLeaveNoHoles) {
    using B = TDBNavigator;
    q_.Close();
    q_.CachedUpdates = true;
    Open("SELECT * FROM t ORDER BY id");
    const int width = grid_->columnWidth(1) + 17;
    grid_->setColumnWidth(1, width);
    grid_->setCurrentIndex(Model().index(1, 1));
    Settle();
    prompts_.yesNo.push_back(true);
    Click(B::Delete);
    // The deleted row is hidden: the rows close up and the next one is current.
    ASSERT_EQ(Model().rowCount(), 2);
    EXPECT_EQ(Cell(0, 1), "a");
    EXPECT_EQ(Cell(1, 1), "c");
    EXPECT_EQ(GridRow(), 1);
    EXPECT_EQ(q_.RecNo(), 3);
    Click(B::Prior);
    EXPECT_EQ(q_.RecNo(), 1);
    EXPECT_EQ(GridRow(), 0);
    EXPECT_EQ(root_->Value(std::string("SELECT COUNT(*) FROM ") + Db() + ".t"), "3");
    // Refresh writes the pending delete first, then reads the rows; the columns stay.
    Click(B::Refresh);
    EXPECT_EQ(root_->Value(std::string("SELECT COUNT(*) FROM ") + Db() + ".t"), "2");
    EXPECT_EQ(Model().rowCount(), 2);
    EXPECT_EQ(grid_->columnWidth(1), width);
    EXPECT_EQ(prompts_.shown, QStringList{"Delete record?"});
}

TEST_F(GridEditTest, RefreshReadsTheRowsAgainAndKeepsThePlace) {
    grid_->setCurrentIndex(Model().index(1, 0));
    Settle();
    Use("INSERT INTO t VALUES (4,'d',40)");
    Use("UPDATE t SET name = 'B' WHERE id = 2");
    Click(TDBNavigator::Refresh);
    EXPECT_EQ(Model().rowCount(), 4);
    EXPECT_EQ(Cell(1, 1), "B");
    EXPECT_EQ(q_.RecNo(), 2);
    EXPECT_EQ(GridRow(), 1);
    EXPECT_TRUE(prompts_.shown.isEmpty());
}

TEST_F(GridEditTest, ARowItsValuesCannotTellApartIsRefusedInTheOperatorsLanguage) {
    // Two FLOATs the server shows alike; the row is refused, naming the column, in Croatian.
    Use("CREATE TABLE r (x FLOAT, n INT)");
    Use("INSERT INTO r VALUES (0.1234567,0),(0.1234568,0)");
    Open("SELECT * FROM r");
    ASSERT_TRUE(q_.CanModify());
    QAction english(nullptr);
    english.setCheckable(true);
    english.setChecked(false);
    setLanguageFlagItem(&english);
    EXPECT_TRUE(Model().setData(Model().index(0, 1), "5"));
    Click(TDBNavigator::Post);
    setLanguageFlagItem(nullptr);
    EXPECT_EQ(WriteError(),
              QString::fromUtf8("Redak se ne može razlikovati od drugog retka: stupac "
                                "\"x\" je FLOAT prikazan zaokruženo, a prikazanu "
                                "vrijednost ima više redaka; ništa nije zapisano"));
    EXPECT_EQ(q_.State(), DataSetState::Edit);
    root_->Exec(std::string("USE ") + Db());
    EXPECT_EQ(root_->Value("SELECT SUM(n) FROM r"), "0");
}

} // namespace
