// Rows streamed in beside the dataset's thread (StreamRows): the first rows are there when Open
// returns while later rows still arrive, the count ends exact, whatever needs the last row waits
// for it, a walk row by row goes on as rows arrive (also those that came before the server
// paused), a statement on the connection waits for the stream, and closing does not wait.
#include "live_fixture.h"

#include "data/blocking_calls.h"
#include "data/client_library.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Rows that come one at a time: each is big enough to leave the server's buffer at once, and the
// server sleeps before each.
std::string SlowRows(int rows, double seconds) {
    return "SELECT seq, REPEAT('x', 20000) AS pad, SLEEP(" + std::to_string(seconds) +
           ") AS s FROM seq_1_to_" + std::to_string(rows);
}

// From row 3000 on, the subquery answers two rows: the server ends the result with an error after
// the rows before it.
const std::string kBreaksOffAtRow3000 =
    "SELECT seq, REPEAT('x', 200) AS pad, (SELECT s.seq FROM seq_1_to_2 s WHERE s.seq <= "
    "IF(t.seq < 3000, 1, 2)) AS v FROM seq_1_to_20000 t";

// The text of the error held in e.
std::string TextOf(const std::exception_ptr& e) {
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& x) {
        return x.what();
    }
}

class StreamedRowsTest : public LiveTest {
protected:
    void SetUp() override {
        LiveTest::SetUp();
        q_.StreamRows = true;
        q_.QueryAllRecords = true; // as the main window opens its tables
    }
    void Fill(int rows) {
        Use("CREATE TABLE t (id INT PRIMARY KEY, name VARCHAR(20))");
        Use("INSERT INTO t SELECT seq, CONCAT('n', seq) FROM seq_1_to_" + std::to_string(rows));
    }
    // Waits, as the window's event loop would, until the reader has ended.
    void WaitForStreamEnd() {
        const auto until = Clock::now() + std::chrono::seconds(20);
        while (q_.RowsStreaming() && Clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            q_.RowsArrived();
        }
    }
};

} // namespace

TEST_F(StreamedRowsTest, FirstRowsAreThereWhileLaterRowsArriveAndTheCountEndsExact) {
    q_.RequestLive = false;
    Open(SlowRows(6, 0.3));
    ASSERT_TRUE(q_.Active());
    EXPECT_TRUE(q_.RowsStreaming());
    const std::int64_t first = q_.RowsArrived();
    EXPECT_GE(first, 1);
    EXPECT_LT(first, 6);
    EXPECT_EQ(q_.RowValue(1, 0).text, "1");
    EXPECT_EQ(q_.RecNo(), 1);
    // The count grows as rows arrive...
    std::int64_t seen = first;
    while (q_.RowsStreaming()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const std::int64_t now = q_.RowsArrived();
        EXPECT_GE(now, seen);
        seen = now;
    }
    EXPECT_GT(seen, first);
    // ...and is exact at the end.
    EXPECT_EQ(q_.RecordCount(), 6);
    EXPECT_EQ(q_.RowsArrived(), 6);
    EXPECT_EQ(q_.RowValue(6, 0).text, "6");
}

TEST_F(StreamedRowsTest, WhatNeedsTheLastRowWaitsForIt) {
    q_.RequestLive = false;
    Open(SlowRows(5, 0.2));
    ASSERT_TRUE(q_.RowsStreaming());
    // Last goes to the very last row, however few had arrived.
    q_.Last();
    EXPECT_FALSE(q_.RowsStreaming());
    EXPECT_EQ(q_.RecNo(), 5);
    EXPECT_EQ(q_.Field(0).AsString(), "5");
    EXPECT_TRUE(q_.Eof());

    // RecordCount and searching over every row wait as well.
    Open(SlowRows(4, 0.2));
    ASSERT_TRUE(q_.RowsStreaming());
    EXPECT_EQ(q_.RecordCount(), 4);
    Open(SlowRows(4, 0.2));
    ASSERT_TRUE(q_.RowsStreaming());
    EXPECT_TRUE(q_.Locate("seq", {"4"}));
    EXPECT_EQ(q_.RecNo(), 4);

    // Stepping row by row reaches every row and then the end.
    Open(SlowRows(4, 0.2));
    int rows = 0;
    for (q_.First(); !q_.Eof(); q_.Next())
        ++rows;
    EXPECT_EQ(rows, 4);
}

TEST_F(StreamedRowsTest, ABigTableArrivesWholeAndInOrder) {
    Fill(30000);
    Open("SELECT * FROM t");
    ASSERT_TRUE(q_.Active());
    EXPECT_GE(q_.RowsArrived(), 1);
    q_.Last();
    EXPECT_EQ(q_.RecNo(), 30000);
    EXPECT_EQ(q_.FieldByName("name").AsString(), "n30000");
    EXPECT_EQ(q_.RecordCount(), 30000);
    for (std::int64_t r : {1, 2, 15000, 29999})
        EXPECT_EQ(q_.RowValue(r, 1).text, "n" + std::to_string(r));
}

// Rows that arrive in bursts: the server pauses after every 500th row, so a walk that reads the
// fields of each row catches up with the reader and has to wait for the next burst.
std::string BurstRows(int rows) {
    return "SELECT seq, IF(seq % 7 = 0, NULL, CONCAT('n', seq)) AS name, "
           "IF(seq % 500 = 0, SLEEP(0.05), 0) AS pause FROM seq_1_to_" +
           std::to_string(rows);
}

TEST_F(StreamedRowsTest, AWalkRowByRowSeesEveryRowOnceInOrderWhileTheReaderStillConverts) {
    constexpr int kRows = 3000;
    q_.RequestLive = false;
    Open(BurstRows(kRows));
    ASSERT_TRUE(q_.Active());
    ASSERT_TRUE(q_.RowsStreaming());
    int seen = 0;
    int caughtUp = 0;        // the walk stood on the last row that had arrived
    int wentOnMidStream = 0; // ...and the step from there came back before the last row
    for (; !q_.Eof(); q_.Next()) {
        ++seen;
        ASSERT_EQ(q_.RecNo(), seen);
        ASSERT_EQ(q_.FieldByName("seq").AsString(), std::to_string(seen));
        if (seen % 7 == 0)
            ASSERT_TRUE(q_.FieldByName("name").IsNull()) << seen;
        else
            ASSERT_EQ(q_.FieldByName("name").AsString(), "n" + std::to_string(seen));
        if (q_.RowsStreaming() && q_.RowsArrived() == seen) {
            ++caughtUp;
            q_.Next();
            if (q_.Eof())
                break;
            if (q_.RowsStreaming())
                ++wentOnMidStream;
            q_.Prior(); // back, so that the loop's own step reads the row
        }
    }
    EXPECT_EQ(seen, kRows);
    EXPECT_TRUE(q_.Eof());
    EXPECT_FALSE(q_.RowsStreaming());
    EXPECT_GT(caughtUp, 0);
    // A step at the end of the rows that have arrived waits for the next ones, not for the last.
    EXPECT_GT(wentOnMidStream, 0);
    EXPECT_EQ(q_.RecordCount(), kRows);
    // Past the end, the cursor stays on the last row.
    q_.Next();
    EXPECT_TRUE(q_.Eof());
    EXPECT_EQ(q_.RecNo(), kRows);
}

// Rows that each leave the server at once, then a pause of two seconds (the server keeps back the
// end of the last row before it): `before` rows come before the pause, three after it.
std::string PausedRows(int before) {
    return "SELECT seq, REPEAT('x', 20000) AS pad, IF(seq = " + std::to_string(before + 2) +
           ", SLEEP(2), 0) AS s FROM seq_1_to_" + std::to_string(before + 3);
}

TEST_F(StreamedRowsTest, RowsThatCameBeforeAPauseOfTheServerAreWalkedDuringIt) {
    q_.RequestLive = false;
    const auto start = Clock::now();
    Open(PausedRows(298));
    ASSERT_TRUE(q_.RowsStreaming());
    for (int row = 1; row < 298; ++row) {
        ASSERT_EQ(q_.Field(0).AsString(), std::to_string(row));
        q_.Next();
        ASSERT_FALSE(q_.Eof());
    }
    // The rows that had come were handed over during the pause, not with the row after it.
    EXPECT_EQ(q_.Field(0).AsString(), "298");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_TRUE(q_.RowsStreaming());
    int rest = 0;
    for (; !q_.Eof(); q_.Next())
        ++rest;
    EXPECT_EQ(rest, 4);
    EXPECT_EQ(q_.RecNo(), 301);
}

TEST_F(StreamedRowsTest, TheDatasetIsToldOfRowsThatCameBeforeAPauseWhileItLasts) {
    // The news of arrived rows is posted and run here every few milliseconds, as a window's event
    // loop would run it.
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
    struct Restore {
        RowArrivalPoster before;
        ~Restore() { SetRowArrivalPoster(std::move(before)); }
    } restore{SetRowArrivalPoster([&](std::function<void()> task) {
        const std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
    })};
    q_.RequestLive = false;
    const auto start = Clock::now();
    // Open returns with the first thousand rows; the next ones come 0.3 s later, however slowly
    // Open ran, and then the server pauses for 2 s.
    Open("SELECT seq, REPEAT('x', 20000) AS pad, CASE seq WHEN 1001 THEN SLEEP(0.3) "
         "WHEN 1300 THEN SLEEP(2) ELSE 0 END AS s FROM seq_1_to_1301");
    ASSERT_TRUE(q_.RowsStreaming());
    std::int64_t told = 0; // the rows there when the dataset last heard of new ones
    q_.OnRowsArrived = [&](TMySQLQuery& q) { told = q.RowsArrived(); };
    while (told != 1298 && Clock::now() - start < std::chrono::milliseconds(1800)) {
        std::vector<std::function<void()>> due;
        {
            const std::lock_guard lock(mutex);
            due.swap(tasks);
        }
        for (const auto& task : due)
            task();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // The news of the rows that came after Open goes during the pause, not with the row after it.
    EXPECT_EQ(told, 1298);
    EXPECT_TRUE(q_.RowsStreaming());
    q_.Close();
}

TEST_F(StreamedRowsTest, AStatementOnTheConnectionWaitsForTheStreamAndRunsAfterIt) {
    Fill(3);
    q_.RequestLive = false;
    Open(SlowRows(5, 0.2));
    ASSERT_TRUE(q_.RowsStreaming());
    // Another query on the same database connection: it waits for the last row, then runs.
    TMySQLQuery other;
    other.SetDatabase(&db_);
    other.SetSQLText("SELECT name FROM t ORDER BY id");
    other.Open();
    EXPECT_FALSE(ConnectionHeld(db_.DirConnect().Handle()));
    EXPECT_EQ(other.RecordCount(), 3);
    EXPECT_EQ(other.Field(0).AsString(), "n1");
    // The streamed rows all came.
    EXPECT_EQ(q_.RecordCount(), 5);
    EXPECT_EQ(q_.RowValue(5, 0).text, "5");
}

TEST_F(StreamedRowsTest, ClosingMidStreamDoesNotWaitAndTheConnectionRunsTheNextStatement) {
    Fill(3);
    q_.RequestLive = false;
    Open(SlowRows(20, 0.5)); // ten seconds of rows
    ASSERT_TRUE(q_.RowsStreaming());
    const auto start = Clock::now();
    q_.Close();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    // The reader stops the statement and reads what is left beside the caller; the next
    // statement waits for it and is not hit by the stop.
    Open("SELECT name FROM t ORDER BY id");
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    ASSERT_TRUE(q_.Active());
    EXPECT_EQ(q_.RecordCount(), 3);
    Open("SELECT SLEEP(0.2) AS s, 7 AS seven");
    ASSERT_TRUE(q_.Active());
    EXPECT_EQ(q_.FieldByName("seven").AsString(), "7");

    // A big table closed at once after opening: the same.
    Use("CREATE TABLE big (id INT PRIMARY KEY, pad VARCHAR(200))");
    Use("INSERT INTO big SELECT seq, REPEAT('p', 200) FROM seq_1_to_200000");
    Open("SELECT * FROM big");
    q_.Close();
    Open("SELECT COUNT(*) FROM big");
    EXPECT_EQ(q_.Field(0).AsString(), "200000");
}

TEST_F(StreamedRowsTest, RefreshAndEditsBehaveAsBefore) {
    Fill(5000);
    Open("SELECT * FROM t");
    ASSERT_TRUE(q_.Active());
    // An edit of the first row while rows still arrive is written once the stream is done.
    EditRow({{"name", "first"}});
    EXPECT_EQ(Value("SELECT name FROM t WHERE id = 1"), "first");
    // Appending goes after the last row.
    q_.Append();
    q_.FieldByName("id").SetAsString("9001");
    q_.FieldByName("name").SetAsString("added");
    q_.Post();
    EXPECT_EQ(q_.RecordCount(), 5001);
    q_.Last();
    EXPECT_EQ(q_.FieldByName("name").AsString(), "added");
    // Refresh reads the rows again and keeps the row.
    Use("UPDATE t SET name = 'changed' WHERE id = 9001");
    q_.Refresh();
    WaitForStreamEnd();
    EXPECT_EQ(q_.FieldByName("name").AsString(), "changed");
    EXPECT_EQ(q_.RecordCount(), 5001);
}

TEST_F(StreamedRowsTest, AShortResultIsWholeWhenOpenReturns) {
    Fill(50);
    Open("SELECT * FROM t");
    EXPECT_FALSE(q_.RowsStreaming());
    EXPECT_EQ(q_.RowsArrived(), 50);
    EXPECT_EQ(q_.RecordCount(), 50);
    Open("SELECT * FROM t WHERE id > 100");
    EXPECT_FALSE(q_.RowsStreaming());
    EXPECT_TRUE(q_.IsEmpty());
}

TEST_F(StreamedRowsTest, ClosingAHalfReadResultOfTheQuerysOwnConnectionDoesNotWait) {
    // Rows read as needed over a connection of the query's own.
    q_.StreamRows = false;
    q_.StoreResult = false;
    q_.QueryAllRecords = false;
    q_.RequestLive = false;
    Open(SlowRows(20, 0.5)); // ten seconds of rows
    ASSERT_TRUE(q_.Active());
    EXPECT_EQ(q_.Field(0).AsString(), "1");
    const auto start = Clock::now();
    q_.Close();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    Open("SELECT 5 AS five");
    ASSERT_TRUE(q_.Active());
    EXPECT_EQ(q_.Field(0).AsString(), "5");
    // The statement is stopped and its connection closed beside the caller.
    const std::string count = "SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE INFO "
                              "LIKE 'SELECT seq, REPEAT%'";
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (root_.Value(count) != "0" && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(root_.Value(count), "0");
}

TEST_F(StreamedRowsTest, RowsThatBreakOffOnAnErrorAreNotTakenForAllTheRowsAndSayWhyOnce) {
    q_.RequestLive = false;
    Open(kBreaksOffAtRow3000);
    ASSERT_TRUE(q_.RowsStreaming());
    EXPECT_FALSE(q_.RowsBrokeOff());
    // A statement on the connection waits for the rows and runs after them; the error the rows
    // broke off on stays the server's.
    TMySQLQuery other;
    other.SetDatabase(&db_);
    other.SetSQLText("SELECT 1");
    other.Open();
    EXPECT_EQ(other.Field(0).AsString(), "1");
    WaitForStreamEnd();
    EXPECT_TRUE(q_.RowsBrokeOff());
    EXPECT_EQ(q_.RowsArrived(), 2999);
    // The step to the end raises it once; the rows read stay and can be walked.
    try {
        q_.Last();
        ADD_FAILURE() << "Last reached the end of rows that broke off";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Subquery returns more than 1 row");
    }
    EXPECT_EQ(q_.TakeUntoldBreakOff(), nullptr);
    q_.Last();
    EXPECT_EQ(q_.RecNo(), 2999);
    EXPECT_EQ(q_.FieldByName("seq").AsString(), "2999");
    EXPECT_TRUE(q_.RowsBrokeOff());

    // Nobody stepped to the end: whoever asks is told, once, and the step to the end then is not.
    Open(kBreaksOffAtRow3000);
    WaitForStreamEnd();
    const std::exception_ptr told = q_.TakeUntoldBreakOff();
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(TextOf(told), "Subquery returns more than 1 row");
    EXPECT_EQ(q_.TakeUntoldBreakOff(), nullptr);
    q_.Last();
    EXPECT_EQ(q_.RecNo(), 2999);

    // Opening again starts whole.
    Open("SELECT 1 AS one");
    EXPECT_FALSE(q_.RowsBrokeOff());
    EXPECT_EQ(q_.TakeUntoldBreakOff(), nullptr);
}

TEST_F(StreamedRowsTest, AConnectionLostMidStreamIsALostConnectionNotTheEndOfTheRows) {
    q_.RequestLive = false;
    Open(SlowRows(20, 0.2));
    ASSERT_TRUE(q_.RowsStreaming());
    root_.Exec("KILL CONNECTION " +
               std::to_string(Client().mysql_thread_id(db_.DirConnect().Handle())));
    WaitForStreamEnd();
    EXPECT_TRUE(q_.RowsBrokeOff());
    EXPECT_LT(q_.RowsArrived(), 20);
    EXPECT_THROW(q_.Last(), EConnectionLost);
}
