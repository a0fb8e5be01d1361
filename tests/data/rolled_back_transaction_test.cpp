// A transaction the server rolls back (a lock wait that timed out, a cluster node's conflict):
// every change written in it is pending again, not shown as written.
#include "live_fixture.h"

#include "data/live_errors.h"
#include "data/row_cache.h"
#include "support/cluster_servers.h"
#include "support/scratch_database.h"

#include <chrono>
#include <thread>

using namespace testserver;

namespace {

class RolledBackTest : public LiveTest {};

} // namespace

TEST_F(RolledBackTest, ALockWaitTimeoutInAnExplicitTransactionPutsItsWritesBack) {
    Use("CREATE TABLE t (id INT PRIMARY KEY, v INT)");
    Use("INSERT INTO t VALUES (1, 10), (2, 20), (3, 30)");
    Open("SELECT * FROM t ORDER BY id");
    db_.ExecSQL("SET SESSION innodb_lock_wait_timeout = 1");
    db_.ExecSQL("START TRANSACTION");
    EditRow({{"v", "11"}});
    q_.Last();
    q_.Delete();
    EXPECT_EQ(q_.RecordCount(), 2);

    // Another connection holds row 2: the next write waits and times out.
    RootConnection other;
    other.Exec("USE " + Db());
    other.Exec("START TRANSACTION");
    other.Exec("UPDATE t SET v = 21 WHERE id = 2");
    q_.First();
    q_.Next();
    q_.Edit();
    q_.FieldByName("v").SetAsString("22");
    const std::string error = ErrorOf<ETransactionRolledBack>([&] { q_.Post(); });
    EXPECT_EQ(error.rfind("Lock wait timeout exceeded", 0), 0u) << error;
    EXPECT_NE(error.find("The server rolled back the open transaction"), std::string::npos);
    other.Exec("ROLLBACK");

    // The server holds none of it; the grid shows row 1 changed and not written.
    EXPECT_EQ(Rows("SELECT id, v FROM t ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1", "10"}, {"2", "20"}, {"3", "30"}}));
    q_.Cancel();
    q_.First();
    EXPECT_EQ(Text("v"), "11");
    EXPECT_EQ(q_.UpdateStatus(), rsModified);
    EXPECT_TRUE(q_.UpdatesPending());

    // Written again, now outside any transaction.
    q_.ApplyUpdates();
    EXPECT_EQ(Value("SELECT v FROM t WHERE id = 1"), "11");
    EXPECT_EQ(q_.UpdateStatus(), 0);
}

TEST_F(RolledBackTest, WritesCommittedBeforeTheTransactionStayWritten) {
    Use("CREATE TABLE t (id INT PRIMARY KEY, v INT)");
    Use("INSERT INTO t VALUES (1, 10), (2, 20)");
    Open("SELECT * FROM t ORDER BY id");
    db_.ExecSQL("SET SESSION innodb_lock_wait_timeout = 1");
    EditRow({{"v", "11"}}); // committed at once
    db_.ExecSQL("START TRANSACTION");
    RootConnection other;
    other.Exec("USE " + Db());
    other.Exec("START TRANSACTION");
    other.Exec("UPDATE t SET v = 21 WHERE id = 2");
    q_.Next();
    q_.Edit();
    q_.FieldByName("v").SetAsString("22");
    EXPECT_NE(ErrorOf<ETransactionRolledBack>([&] { q_.Post(); }), "(no error)");
    other.Exec("ROLLBACK");
    q_.Cancel();
    q_.First();
    EXPECT_EQ(q_.UpdateStatus(), 0);
    EXPECT_FALSE(q_.UpdatesPending());
    EXPECT_EQ(Value("SELECT v FROM t WHERE id = 1"), "11");
}

TEST(RolledBackOnClusterTest, AConflictFromTheOtherNodePutsTheTransactionsWritesBack) {
    const std::string why = StartGalera();
    if (!why.empty())
        GTEST_SKIP() << why;
    // Made on the first node, the database reaches the second through the cluster.
    ScratchDatabase scratch("rollback", kGaleraFirstHost);
    RootConnection& first = scratch.root();
    RootConnection second(kGaleraSecondHost);
    const std::string table = scratch.Table("t");
    first.Exec("CREATE TABLE t (id INT PRIMARY KEY, v INT)");
    first.Exec("INSERT INTO t VALUES (1, 10), (2, 20)");
    for (int i = 0; i < 100 && second.Value("SELECT COUNT(*) FROM " + table) != "2"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));

    TMySQLDatabase db;
    db.SetHost(kGaleraFirstHost);
    db.SetLogin(kRootUser);
    db.SetPassword(kRootPassword);
    db.SetDatabase(scratch.name());
    TMySQLTransact transact;
    transact.SetDatabase(&db);
    TMySQLQuery q;
    q.SetDatabase(&db);
    q.SetTransaction(&transact);
    q.RequestLive = true;
    q.SetSQLText("SELECT * FROM t ORDER BY id");
    q.Open();
    db.ExecSQL("START TRANSACTION");
    q.Edit();
    q.FieldByName("v").SetAsString("11");
    q.Post();
    // The other node commits a change of the same row first: this node's transaction loses.
    second.Exec("UPDATE " + table + " SET v = 12 WHERE id = 1");
    q.Next();
    q.Edit();
    q.FieldByName("v").SetAsString("21");
    const std::string error = ErrorOf<ETransactionRolledBack>([&] { q.Post(); });
    EXPECT_NE(error.find("The server rolled back the open transaction"), std::string::npos)
        << error;
    q.Cancel();
    q.First();
    EXPECT_EQ(q.FieldByName("v").AsString(), "11");
    EXPECT_EQ(q.UpdateStatus(), rsModified);
    EXPECT_EQ(first.Value("SELECT v FROM t WHERE id = 1"), "12");
    // Posting it again finds the row changed by the other node: refused, nothing overwritten.
    EXPECT_EQ(ErrorOf([&] { q.ApplyUpdates(); }), liveerr::kRowChanged);
    EXPECT_EQ(first.Value("SELECT v FROM t WHERE id = 1"), "12");
    q.Close();
    db.Disconnect();
}
