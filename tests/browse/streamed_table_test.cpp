// A table's rows stream into the grid beside the window: the first rows show while later ones
// arrive and the record count in panel 4 grows to the exact count; Ctrl+End waits for the last
// row with the progress window (and Stop ends the wait); another table opened mid-stream opens
// at once and right.
#include "browse_fixture.h"

#include "support/statement_watch.h"
#include "ui/db_grid.h"
#include "ui/statement_runner.h"

#include <QElapsedTimer>
#include <QTest>

#include <set>

using namespace testserver;

namespace {

constexpr const char* kDb = "kt_browse_stream";
const QString kStopped = QStringLiteral("Stopped by the operator");

class StreamedTableTest : public BrowseTest {
protected:
    void SetUp() override {
        BrowseTest::SetUp();
        CreateDatabase(kDb);
        Exec(kDb, "CREATE TABLE items (id INT PRIMARY KEY, name VARCHAR(20))");
        Exec(kDb, "INSERT INTO items VALUES (1, 'one'), (2, 'two')");
        // Rows that come one at a time: each leaves the server's buffer at once.
        Exec(kDb, "CREATE VIEW slow AS SELECT seq, REPEAT('x', 20000) AS pad, SLEEP(0.25) AS s "
                  "FROM seq_1_to_12");
        Exec(kDb, "CREATE VIEW slower AS SELECT seq, REPEAT('x', 20000) AS pad, SLEEP(0.4) AS s "
                  "FROM seq_1_to_30");
        // From row 3000 on, the subquery answers two rows: the server ends the rows with an error.
        Exec(kDb, "CREATE VIEW breaks AS SELECT seq, REPEAT('x', 200) AS pad, (SELECT s.seq FROM "
                  "seq_1_to_2 s WHERE s.seq <= IF(t.seq < 3000, 1, 2)) AS v FROM seq_1_to_20000 t");
        ShowWindowOn(kDb);
    }
    void OpenTable(const char* name) {
        ASSERT_NO_FATAL_FAILURE(SelectTable(QString::fromLatin1(name)));
        window->ListBox1DblClick();
    }
    TDataSetModel& Model() { return *window->DBGrid1->dataModel(); }
};

} // namespace

TEST_F(StreamedTableTest, FirstRowsShowWhileTheRestArriveAndPanelFourCountsThemToTheEnd) {
    OpenTable("slow");
    ASSERT_TRUE(Query().Active());
    ASSERT_TRUE(Query().RowsStreaming());
    window->DBGrid1->viewport()->grab();
    QApplication::processEvents();
    EXPECT_GE(Model().rowCount(), 1);
    EXPECT_EQ(Model().index(0, 0).data().toString(), QStringLiteral("1"));
    const int first = Panels().at(4).toInt();
    EXPECT_GE(first, 1);
    EXPECT_LT(first, 12);

    // The window goes on: a timer ticks, the count in panel 4 grows and the grid with it.
    StatementWatch watch(window.get(), StatementWatch::OnProgress::Nothing);
    std::set<QString> counts;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            counts.insert(Panels().at(4));
            return !Query().RowsStreaming();
        },
        15000));
    QApplication::processEvents();
    EXPECT_GT(watch.ticks, 10);
    EXPECT_FALSE(watch.progressShown);
    EXPECT_GE(counts.size(), 3u);
    EXPECT_EQ(Panels().at(4), QStringLiteral("12"));
    EXPECT_EQ(Query().RecordCount(), 12);
    EXPECT_EQ(Model().rowCount(), 12);
    EXPECT_EQ(Model().index(11, 0).data().toString(), QStringLiteral("12"));
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(StreamedTableTest, CtrlEndWaitsForTheLastRow) {
    OpenTable("slow");
    ASSERT_TRUE(Query().RowsStreaming());
    window->DBGrid1->setFocus();
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::Nothing);
        QTest::keyClick(window->DBGrid1, Qt::Key_End, Qt::ControlModifier);
        watch.CommandEnded();
        EXPECT_TRUE(watch.progressShown);
        EXPECT_GT(watch.paints, 0);
    }
    EXPECT_FALSE(Query().RowsStreaming());
    EXPECT_EQ(Query().RecNo(), 12);
    EXPECT_EQ(window->DBGrid1->currentIndex().row(), 11);
    QApplication::processEvents();
    EXPECT_EQ(Panels().at(4), QStringLiteral("12"));
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(StreamedTableTest, StopEndsTheWaitForTheLastRowAndTheNextTableOpens) {
    OpenTable("slower"); // twelve seconds of rows
    ASSERT_TRUE(Query().RowsStreaming());
    window->DBGrid1->setFocus();
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::Stop);
        QTest::keyClick(window->DBGrid1, Qt::Key_End, Qt::ControlModifier);
        watch.CommandEnded();
        EXPECT_TRUE(watch.stopEnabled);
        EXPECT_GE(watch.EndedAfterActionMs(), 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    EXPECT_EQ(prompts.shown, QStringList({kStopped}));
    // The rows read before the stop stay.
    EXPECT_TRUE(Query().Active());
    EXPECT_FALSE(Query().RowsStreaming());
    EXPECT_LT(Query().RowsArrived(), 30);
    // The count says the rows are not all there, and nothing more is told.
    QTest::qWait(200);
    EXPECT_EQ(Panels().at(4), QString::number(Query().RowsArrived()) + QLatin1Char('+'));
    EXPECT_EQ(prompts.shown, QStringList({kStopped}));

    ForgetPrompts();
    OpenTable("items");
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Panels().at(4), QStringLiteral("2"));
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(StreamedTableTest, AnotherTableOpenedMidStreamOpensAtOnce) {
    OpenTable("slower");
    ASSERT_TRUE(Query().RowsStreaming());
    QElapsedTimer timer;
    timer.start();
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::Nothing);
        OpenTable("items");
        watch.CommandEnded();
    }
    // The stream is stopped and read to its end beside the window, not waited for row by row.
    EXPECT_LT(timer.elapsed(), 3000);
    ASSERT_TRUE(Query().Active());
    EXPECT_FALSE(Query().RowsStreaming());
    EXPECT_EQ(Panels().at(4), QStringLiteral("2"));
    EXPECT_EQ(Model().rowCount(), 2);
    EXPECT_EQ(Model().index(1, 1).data().toString(), QStringLiteral("two"));
    EXPECT_TRUE(prompts.shown.isEmpty());

    // Closing mid-stream returns at once; the window's events go on meanwhile.
    OpenTable("slower");
    ASSERT_TRUE(Query().RowsStreaming());
    timer.restart();
    Query().Close();
    EXPECT_LT(timer.elapsed(), 500);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10);
    QTest::qWait(300);
    EXPECT_GT(ticks, 10);
    OpenTable("items");
    EXPECT_EQ(Panels().at(4), QStringLiteral("2"));
}

TEST_F(StreamedTableTest, RowsThatBreakOffAreCountedAsIncompleteAndTheOperatorIsToldWhyOnce) {
    const QString told = QStringLiteral("Rows read: 2999; reading broke off: Subquery returns "
                                        "more than 1 row");
    OpenTable("breaks");
    ASSERT_TRUE(Query().Active());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prompts.shown.isEmpty(); }, 10000));
    QApplication::processEvents();
    EXPECT_EQ(prompts.shown, QStringList({told}));
    EXPECT_EQ(Panels().at(4), QStringLiteral("2999+"));
    EXPECT_EQ(Model().rowCount(), 2999);
    // The rows read stay; the end of them is reached without the error again.
    window->DBGrid1->setFocus();
    QTest::keyClick(window->DBGrid1, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(Query().RecNo(), 2999);
    EXPECT_EQ(prompts.shown.size(), 1);

    // Ctrl+End while the rows still come: the step to the end tells it, and only it.
    ForgetPrompts();
    OpenTable("breaks");
    ASSERT_TRUE(Query().Active());
    window->DBGrid1->setFocus();
    QTest::keyClick(window->DBGrid1, Qt::Key_End, Qt::ControlModifier);
    QTest::qWait(300);
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown.value(0).contains(QStringLiteral("Subquery returns more than 1 row")))
        << prompts.shown.value(0).toStdString();
    EXPECT_EQ(Panels().at(4), QStringLiteral("2999+"));

    // The next table counts whole again.
    ForgetPrompts();
    OpenTable("items");
    EXPECT_EQ(Panels().at(4), QStringLiteral("2"));
    QTest::qWait(200);
    EXPECT_TRUE(prompts.shown.isEmpty());
}
