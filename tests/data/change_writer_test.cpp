// The query's change writer beside the other parts: pending changes when the rows are read again
// or thrown away, a written row the filter no longer shows, and the change states of the rows
// until they are applied.
#include "live_fixture.h"

namespace {

class ChangeWriterTest : public LiveTest {
protected:
    void SetUp() override {
        LiveTest::SetUp();
        Use("CREATE TABLE t (id INT PRIMARY KEY, name VARCHAR(10), n INT)");
        Use("INSERT INTO t VALUES (1, 'a', 10), (2, 'b', 20), (3, 'c', 30)");
    }
};

TEST_F(ChangeWriterTest, RefreshWritesPendingChangesFirstAndClosingForgetsThem) {
    q_.CachedUpdates = true;
    Open("SELECT * FROM t ORDER BY id");
    q_.Next();
    EditRow({{"name", "B"}});
    EXPECT_EQ(q_.UpdateStatus(), rsModified);
    Use("UPDATE t SET n = 11 WHERE id = 1");
    q_.Refresh();
    EXPECT_FALSE(q_.UpdatesPending());
    EXPECT_EQ(q_.UpdateStatus(), rsUnmodified);
    EXPECT_EQ(Text("name"), "B"); // the same row, as the server holds it
    EXPECT_EQ(Value("SELECT name FROM t WHERE id = 2"), "B");
    q_.First();
    EXPECT_EQ(Text("n"), "11");

    EditRow({{"name", "A"}});
    q_.Last();
    q_.Delete();
    EXPECT_EQ(q_.Log().Count(), 2u);
    Open("SELECT * FROM t ORDER BY id"); // closes first: the changes are dropped unsent
    EXPECT_FALSE(q_.UpdatesPending());
    EXPECT_EQ(q_.RecordCount(), 3);
    EXPECT_EQ(Text("name"), "a");
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(name ORDER BY id) FROM t"), "a,B,c");
}

TEST_F(ChangeWriterTest, ARowWrittenOutOfTheFilterLeavesTheView) {
    Open("SELECT * FROM t ORDER BY id");
    q_.SetFilter("N >= 20");
    q_.SetFiltered(true);
    EXPECT_EQ(q_.ReadViewRowsUpTo(10), 2);
    EXPECT_EQ(Text("id"), "2");
    EditRow({{"n", "5"}});
    EXPECT_EQ(Value("SELECT n FROM t WHERE id = 2"), "5");
    EXPECT_EQ(q_.ReadViewRowsUpTo(10), 1);
    EXPECT_EQ(q_.ViewRowToRecNo(1), 3);
    // A new row the filter does not show is written all the same.
    q_.Append();
    q_.FieldByName("id").SetAsString("4");
    q_.FieldByName("n").SetAsString("1");
    q_.Post();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM t WHERE id = 4"), "1");
    EXPECT_EQ(q_.ReadViewRowsUpTo(10), 1);
    q_.SetFiltered(false);
    EXPECT_EQ(q_.ReadViewRowsUpTo(10), 4);
}

TEST_F(ChangeWriterTest, CachedChangesKeepTheirStatesUntilApplied) {
    q_.CachedUpdates = true;
    q_.ShowRecordTypes = rtModified | rtInserted | rtDeleted | rtUnmodified;
    Open("SELECT * FROM t ORDER BY id");
    EditRow({{"name", "A"}});
    q_.Next();
    q_.Delete();
    q_.Append();
    q_.FieldByName("id").SetAsString("4");
    q_.Post();
    std::string states;
    for (q_.First(); !q_.Eof(); q_.Next())
        states += std::to_string(q_.UpdateStatus());
    EXPECT_EQ(states, std::to_string(rsModified) + std::to_string(rsDeleted) +
                          std::to_string(rsUnmodified) + std::to_string(rsAppended));
    q_.ApplyUpdates();
    q_.CommitUpdates();
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(id ORDER BY id) FROM t"), "1,3,4");
    EXPECT_EQ(Value("SELECT name FROM t WHERE id = 1"), "A");
    EXPECT_EQ(q_.ReadViewRowsUpTo(10), 3); // the deleted row left the cache
}

} // namespace
