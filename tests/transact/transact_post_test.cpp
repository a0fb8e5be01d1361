// A row of two tables written through the transact-server: its two statements take effect
// together or not at all, inside the session's own transaction.
#include "transact_server_process.h"

#include "support/cluster_servers.h"
#include "support/error_of.h"
#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/live_errors.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// With and without AutoCommit.
class TransactPostTest : public ::testing::TestWithParam<bool> {
protected:
    // Made first, dropped last: after every connection of the test has gone.
    testserver::ScratchDatabase scratch_;
    const std::string& Db() const { return scratch_.name(); }

    void SetUp() override {
        root_.Exec(std::string("USE ") + Db());
        root_.Exec(
            "CREATE TABLE cust (id INT PRIMARY KEY, name VARCHAR(10), CHECK (name <> 'Bad'))");
        root_.Exec("CREATE TABLE ord (id INT PRIMARY KEY, cust INT, item VARCHAR(10))");
        root_.Exec("INSERT INTO cust VALUES (1,'Ann')");
        root_.Exec("INSERT INTO ord VALUES (10,1,'a')");
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(Db());
        transact_.SetDatabase(&db_);
        transact_.SetHost("127.0.0.1");
        transact_.Port = server_.PortText();
        transact_.UseTransServer = true;
        transact_.AutoCommit = GetParam();
        q_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
        q_.RequestLive = true;
    }
    void TearDown() override {
        q_.Close();
        transact_.Disconnect();
        db_.Disconnect();
    }
    std::vector<std::vector<std::string>> Row() {
        root_.Exec(std::string("USE ") + Db());
        return root_.Rows("SELECT item, name FROM ord JOIN cust ON cust.id = ord.cust");
    }
    void EditBoth(const char* item, const char* name) {
        q_.Edit();
        q_.FieldByName("item").SetAsString(item);
        q_.FieldByName("name").SetAsString(name);
        q_.Post();
    }

    testserver::RootConnection root_;
    TransactServerProcess server_{{"--mysql-host", testserver::kHost}};
    TMySQLDatabase db_;
    TMySQLTransact transact_;
    TMySQLQuery q_;
};

TEST_P(TransactPostTest, ARefusedSecondStatementTakesTheFirstBack) {
    q_.SetSQLText("SELECT ord.id, ord.item, cust.id, cust.name FROM ord JOIN cust ON cust.id = "
                  "ord.cust");
    q_.Open();
    ASSERT_TRUE(q_.CanModify());
    EXPECT_NE(ErrorOf([&] { EditBoth("new", "Bad"); }).find("CONSTRAINT"), std::string::npos);
    q_.Cancel();
    transact_.ExecSQL("COMMIT");
    EXPECT_EQ(Row(), (std::vector<std::vector<std::string>>{{"a", "Ann"}}));

    EditBoth("b", "Bo");
    transact_.ExecSQL("COMMIT");
    EXPECT_EQ(Row(), (std::vector<std::vector<std::string>>{{"b", "Bo"}}));
}

INSTANTIATE_TEST_SUITE_P(AutoCommit, TransactPostTest, ::testing::Bool());

// The same post on a node of a two-node Galera cluster, AutoCommit off: the other node commits a
// change of the same row while the transaction is open, and the server rolls the transaction back.
TEST(TransactPostClusterTest, AConflictFromTheOtherNodeTakesBothTablesBackAndMarksThemPending) {
    const std::string why = testserver::StartGalera();
    if (!why.empty())
        GTEST_SKIP() << why;
    testserver::ScratchDatabase scratch(std::string(), testserver::kGaleraFirstHost);
    const auto Db = [&scratch]() -> const std::string& { return scratch.name(); };
    testserver::RootConnection first(testserver::kGaleraFirstHost);
    testserver::RootConnection second(testserver::kGaleraSecondHost);
    first.Exec(std::string("USE ") + Db());
    first.Exec("CREATE TABLE cust (id INT PRIMARY KEY, name VARCHAR(10))");
    first.Exec("CREATE TABLE ord (id INT PRIMARY KEY, cust INT, item VARCHAR(10))");
    first.Exec("INSERT INTO cust VALUES (1,'Ann'), (2,'Cy')");
    first.Exec("INSERT INTO ord VALUES (10,1,'a'), (20,2,'c')");
    second.Exec(std::string("USE ") + Db());
    for (int i = 0; i < 100 && second.Value("SELECT COUNT(*) FROM ord") != "2"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto rows = [&] {
        return first.Rows("SELECT ord.id, item, name FROM ord JOIN cust ON cust.id = ord.cust "
                          "ORDER BY ord.id");
    };

    TransactServerProcess server{{"--mysql-host", testserver::kGaleraFirstHost}};
    TMySQLDatabase db;
    db.SetHost(testserver::kGaleraFirstHost);
    db.SetLogin(testserver::kRootUser);
    db.SetPassword(testserver::kRootPassword);
    db.SetDatabase(Db());
    TMySQLTransact transact;
    transact.SetDatabase(&db);
    transact.SetHost("127.0.0.1");
    transact.Port = server.PortText();
    transact.UseTransServer = true;
    transact.AutoCommit = false;
    TMySQLQuery q;
    q.SetDatabase(&db);
    q.SetTransaction(&transact);
    q.RequestLive = true;
    q.SetSQLText("SELECT ord.id, ord.item, cust.id, cust.name FROM ord JOIN cust ON cust.id = "
                 "ord.cust ORDER BY ord.id");
    q.Open();
    ASSERT_TRUE(q.CanModify());
    const auto editBoth = [&](const char* item, const char* name) {
        q.Edit();
        q.FieldByName("item").SetAsString(item);
        q.FieldByName("name").SetAsString(name);
        q.Post();
    };
    editBoth("b", "Bo"); // both tables, in the open transaction
    second.Exec("UPDATE cust SET name = 'Zed' WHERE id = 1");
    q.Next();
    const std::string error = ErrorOf<ETransactionRolledBack>([&] { editBoth("d", "Di"); });
    EXPECT_NE(error.find("Deadlock"), std::string::npos) << error;
    q.Cancel();
    transact.ExecSQL("COMMIT");

    // Neither table kept the first post; the grid shows it changed and not written.
    EXPECT_EQ(rows(),
              (std::vector<std::vector<std::string>>{{"10", "a", "Zed"}, {"20", "c", "Cy"}}));
    q.First();
    EXPECT_EQ(q.FieldByName("item").AsString(), "b");
    EXPECT_NE(q.UpdateStatus(), 0);
    EXPECT_TRUE(q.UpdatesPending());
    q.Close();
    transact.Disconnect();
    db.Disconnect();
}

} // namespace
