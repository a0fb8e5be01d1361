// Rows streamed in beside the dataset's thread (StreamRows): the first rows are there when Open
// returns while later rows still arrive, the count ends exact, whatever needs the last row waits
// for it, a statement on the connection waits for the stream, and closing does not wait.
#include "live_fixture.h"

#include "data/blocking_calls.h"

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Rows that come one at a time: each is big enough to leave the server's buffer at once, and the
// server sleeps before each.
std::string SlowRows(int rows, double seconds) {
    return "SELECT seq, REPEAT('x', 20000) AS pad, SLEEP(" + std::to_string(seconds) +
           ") AS s FROM seq_1_to_" + std::to_string(rows);
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
