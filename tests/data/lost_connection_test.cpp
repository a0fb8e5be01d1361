// A grid whose connection the server dropped (it went away, was restarted, or killed the
// connection): reading again and writing a change not yet sent reconnect once; a write cut off
// while it was sent keeps the operator's values and says it may or may not have happened.
#include "live_fixture.h"

#include "data/live_errors.h"
#include "data/row_cache.h"

#include <chrono>
#include <thread>

using namespace testserver;

namespace {

class LostConnectionTest : public LiveTest {
protected:
    void SetUp() override {
        LiveTest::SetUp();
        Use("CREATE TABLE t (id INT PRIMARY KEY, v INT)");
        Use("INSERT INTO t VALUES (1, 10), (2, 20), (3, 30)");
        Open("SELECT * FROM t ORDER BY id");
    }
    // Ends the grid's connection from the server's side and waits until it is gone.
    void DropConnection() {
        const unsigned long id = Client().mysql_thread_id(db_.DirConnect().Handle());
        root_.Exec("KILL CONNECTION " + std::to_string(id));
        for (int i = 0; i < 100 && ThreadListed(root_, id); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
};

} // namespace

TEST_F(LostConnectionTest, RefreshReadsTheRowsAgainOnANewConnection) {
    Use("UPDATE t SET v = 21 WHERE id = 2");
    DropConnection();
    q_.Refresh();
    EXPECT_EQ(q_.RecordCount(), 3);
    q_.SetRecNo(2);
    EXPECT_EQ(Text("v"), "21");

    // While no new connection can be made, the rows read before stay with their count.
    db_.DirConnect().Password = "wrong";
    DropConnection();
    EXPECT_EQ(ErrorOf([&] { q_.Refresh(); }), "Error refreshing query");
    EXPECT_EQ(q_.RecordCount(), 3);
    EXPECT_EQ(Text("v"), "21"); // the current row stays
    q_.First();
    EXPECT_EQ(Text("v"), "10");
}

TEST_F(LostConnectionTest, AChangeNotYetSentIsWrittenOnANewConnection) {
    DropConnection();
    EditRow({{"v", "11"}});
    EXPECT_EQ(Value("SELECT v FROM t WHERE id = 1"), "11");
    EXPECT_EQ(q_.UpdateStatus(), 0);

    // In an explicit transaction the connection's end took the transaction with it.
    db_.ExecSQL("START TRANSACTION");
    q_.Next();
    EditRow({{"v", "22"}});
    DropConnection();
    q_.Next();
    q_.Edit();
    q_.FieldByName("v").SetAsString("33");
    EXPECT_NE(ErrorOf<ETransactionRolledBack>([&] { q_.Post(); }), "(no error)");
    q_.Cancel();
    EXPECT_EQ(Value("SELECT v FROM t WHERE id = 2"), "20");
    q_.SetRecNo(2);
    EXPECT_EQ(Text("v"), "22");
    EXPECT_EQ(q_.UpdateStatus(), rsModified);
}

TEST_F(LostConnectionTest, AWriteCutOffWhileSentKeepsTheValuesAndSaysItMayHaveHappened) {
    db_.ExecSQL("SET SESSION innodb_lock_wait_timeout = 20");
    // Another connection holds the row: the write waits, and its connection is ended meanwhile.
    RootConnection other;
    other.Exec("USE " + Db());
    other.Exec("START TRANSACTION");
    other.Exec("UPDATE t SET v = 12 WHERE id = 1");
    const unsigned long id = Client().mysql_thread_id(db_.DirConnect().Handle());
    std::thread killer([id] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        RootConnection root;
        root.Exec("KILL CONNECTION " + std::to_string(id));
    });
    q_.Edit();
    q_.FieldByName("v").SetAsString("11");
    const std::string error = ErrorOf<EWriteUncertain>([&] { q_.Post(); });
    killer.join();
    other.Exec("ROLLBACK");
    EXPECT_NE(error.find("it may or may not have been written"), std::string::npos) << error;
    // The edit is still open with the operator's value; the row count is unchanged.
    EXPECT_EQ(q_.State(), DataSetState::Edit);
    EXPECT_EQ(Text("v"), "11");
    EXPECT_EQ(q_.RecordCount(), 3);
    // Posting again goes over a new connection.
    q_.Post();
    EXPECT_EQ(Value("SELECT v FROM t WHERE id = 1"), "11");
}
