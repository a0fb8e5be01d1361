// The data grid over a real result: large results read only as the view needs them, the grid's
// row and the dataset's record in step, NULL shown apart from empty text, and editing through the
// dataset's states with nothing lost when a row cannot be written.
#include "grid_fixture.h"

#include "data/db_error.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

namespace {

TEST_F(GridTest, LargeResultPaintsItsLastRowsWithoutReadingEverything) {
    constexpr int kRows = 100000;
    Use("CREATE TABLE big (id INT PRIMARY KEY, name VARCHAR(30))");
    Use("INSERT INTO big SELECT seq, CONCAT('row ', seq) FROM seq_1_to_100000");
    q_.QueryAllRecords = false;
    Open("SELECT * FROM big ORDER BY id");

    // The first paint reads about a screenful, and the model's rows are what was read.
    const int firstRows = Model().rowCount();
    EXPECT_GT(firstRows, 10);
    EXPECT_LE(firstRows, 2 * TDataSetModel::kFetchBatch);
    EXPECT_EQ(q_.RowsRead(), firstRows);
    EXPECT_EQ(q_.RecordCount(), kRows); // the stored result knows its size
    EXPECT_EQ(Model().headerData(1, Qt::Horizontal).toString(), "name");

    // Scrolling to the bottom grows the view a batch at a time; the last rows paint from the
    // cache without moving the dataset.
    for (int i = 0; i < 3; ++i) {
        grid_->verticalScrollBar()->setValue(grid_->verticalScrollBar()->maximum());
        Settle();
    }
    const int rows = Model().rowCount();
    EXPECT_GT(rows, firstRows);
    EXPECT_LT(q_.RowsRead(), 2000);
    EXPECT_FALSE(q_.AllRowsRead());
    EXPECT_EQ(Cell(rows - 1, 0), QString::number(rows));
    EXPECT_EQ(Cell(rows - 1, 1), QStringLiteral("row %1").arg(rows));
    EXPECT_EQ(q_.RecNo(), 1);
    EXPECT_EQ(q_.FieldByName("id").AsString(), "1");

    // Ctrl+End reads the rest and goes to the last record; Ctrl+Home comes back.
    QTest::keyClick(grid_, Qt::Key_End, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(q_.RowsRead(), kRows);
    EXPECT_EQ(Model().rowCount(), kRows);
    EXPECT_EQ(q_.RecNo(), kRows);
    EXPECT_TRUE(q_.Eof());
    EXPECT_EQ(GridRow(), kRows - 1);
    EXPECT_EQ(Cell(kRows - 1, 1), "row 100000");
    EXPECT_FALSE(On(TDBNavigator::Next));
    EXPECT_FALSE(On(TDBNavigator::Last));

    QTest::keyClick(grid_, Qt::Key_Home, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(q_.RecNo(), 1);
    EXPECT_TRUE(q_.Bof());
    EXPECT_EQ(GridRow(), 0);
    EXPECT_TRUE(prompts_.shown.isEmpty());
}

TEST_F(GridTest, KeyboardAndNavigatorReachRowsNotReadYet) {
    Use("CREATE TABLE t (id INT PRIMARY KEY)");
    Use("INSERT INTO t SELECT seq FROM seq_1_to_2000");
    q_.QueryAllRecords = false;
    q_.StoreResult = false; // rows come one by one; their number is not known ahead
    Open("SELECT id FROM t ORDER BY id");
    const int shown = Model().rowCount();
    ASSERT_LT(shown, 2000);

    // Moving down past the rows read reads more.
    grid_->setFocus();
    grid_->setCurrentIndex(Model().index(shown - 1, 0));
    Settle();
    EXPECT_EQ(q_.RecNo(), shown);
    QTest::keyClick(grid_, Qt::Key_Down);
    Settle();
    EXPECT_EQ(q_.RecNo(), shown + 1);
    EXPECT_EQ(GridRow(), shown);
    EXPECT_EQ(q_.FieldByName("id").AsString(), std::to_string(shown + 1));

    // The dataset moving past the rows shown grows the grid to its record.
    Click(TDBNavigator::Last);
    EXPECT_EQ(Model().rowCount(), 2000);
    EXPECT_EQ(GridRow(), 1999);
    EXPECT_EQ(Cell(1999, 0), "2000");
}

TEST_F(GridTest, SelectionAndDatasetStayInStep) {
    Use("CREATE TABLE t (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("INSERT INTO t VALUES (1,'a'),(2,'b'),(3,'c'),(4,'d'),(5,'e')");
    Open("SELECT * FROM t ORDER BY id");
    EXPECT_EQ(GridRow(), 0);
    EXPECT_FALSE(On(TDBNavigator::First));
    EXPECT_FALSE(On(TDBNavigator::Prior));
    EXPECT_TRUE(On(TDBNavigator::Next));
    EXPECT_TRUE(On(TDBNavigator::Refresh));

    // Grid → dataset: a click moves the record, and the row indicator with it.
    const QRect cell = grid_->visualRect(Model().index(2, 1));
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
    Settle();
    EXPECT_EQ(q_.RecNo(), 3);
    EXPECT_EQ(q_.FieldByName("name").AsString(), "c");
    EXPECT_FALSE(Model().headerData(2, Qt::Vertical).toString().isEmpty());
    EXPECT_TRUE(Model().headerData(0, Qt::Vertical).toString().isEmpty());
    EXPECT_TRUE(On(TDBNavigator::First));

    // Dataset → grid, through the navigator and directly.
    Click(TDBNavigator::Next);
    EXPECT_EQ(GridRow(), 3);
    EXPECT_EQ(grid_->currentIndex().column(), 1); // the column stays
    q_.Prior();
    Settle();
    EXPECT_EQ(GridRow(), 2);
    Click(TDBNavigator::Last);
    EXPECT_EQ(GridRow(), 4);
    EXPECT_FALSE(On(TDBNavigator::Next));
    EXPECT_FALSE(On(TDBNavigator::Last));
    Click(TDBNavigator::Prior);
    EXPECT_EQ(GridRow(), 3);
    Click(TDBNavigator::First);
    EXPECT_EQ(GridRow(), 0);
    EXPECT_FALSE(On(TDBNavigator::Prior));

    // Clicking the last row of a fully read result is the end, as Last is.
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {},
                      grid_->visualRect(Model().index(4, 0)).center());
    Settle();
    EXPECT_TRUE(q_.Eof());
    EXPECT_FALSE(On(TDBNavigator::Next));

    // Closed: an empty grid and a navigator with nothing to do.
    q_.Close();
    Settle();
    EXPECT_EQ(Model().rowCount(), 0);
    EXPECT_EQ(Model().columnCount(), 0);
    for (int b = 0; b < TDBNavigator::Count; ++b)
        EXPECT_FALSE(On(TDBNavigator::Button(b))) << b;
    EXPECT_TRUE(prompts_.shown.isEmpty());
}

TEST_F(GridTest, NullIsShownApartFromEmptyText) {
    Use("CREATE TABLE t (id INT PRIMARY KEY, s VARCHAR(10), n INT, d DATETIME)");
    Use("INSERT INTO t VALUES (1, NULL, NULL, '2001-05-17 00:00:00'), (2, '', 7, NULL)");
    Open("SELECT id, s, n, d FROM t ORDER BY id");
    EXPECT_EQ(Model().headerData(3, Qt::Horizontal).toString(), "d");

    EXPECT_TRUE(Model().data(Model().index(0, 1), TDataSetModel::IsNullRole).toBool());
    EXPECT_FALSE(Model().data(Model().index(1, 1), TDataSetModel::IsNullRole).toBool());
    EXPECT_EQ(Cell(0, 1), "(NULL)");
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(Cell(0, 1, Qt::EditRole), ""); // the editor starts empty
    EXPECT_TRUE(Model().data(Model().index(0, 1), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(Model().data(Model().index(1, 1), Qt::ForegroundRole).isValid());

    // Display text of the fields; the editor gets the value exactly.
    EXPECT_EQ(Cell(1, 2), "7");
    EXPECT_EQ(Cell(0, 3), "2001-05-17");
    EXPECT_EQ(Cell(0, 3, Qt::EditRole), "2001-05-17 00:00:00");
    EXPECT_TRUE(Model().data(Model().index(1, 2), Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
}

TEST_F(GridTest, ReadOnlyResultOffersNoEditing) {
    Use("CREATE TABLE t (id INT PRIMARY KEY)");
    Use("INSERT INTO t VALUES (1)");
    q_.RequestLive = true;
    Open("SHOW TABLES");
    EXPECT_FALSE(q_.CanModify());
    EXPECT_FALSE(On(TDBNavigator::Insert));
    EXPECT_FALSE(On(TDBNavigator::Edit));
    EXPECT_FALSE(On(TDBNavigator::Delete));
    EXPECT_FALSE(On(TDBNavigator::Post));
    EXPECT_FALSE(Model().flags(Model().index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(Model().setData(Model().index(0, 0), "other"));
    EXPECT_EQ(q_.State(), DataSetState::Browse);
    EXPECT_EQ(prompts_.shown, QStringList{QString::fromUtf8(dberr::kReadOnlyDataset)});
}

} // namespace
