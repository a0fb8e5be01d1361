// The transact-server program against the test MySQL server, spoken to over real sockets.
#include "data/transact_dialogue.h"
#include "support/scratch_database.h"
#include "support/test_server.h"
#include "transact_server_process.h"

#include <gtest/gtest.h>

namespace {

class TransactServerTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root.Exec(std::string("CREATE TABLE ") + Db() +
                  ".t (id INT PRIMARY KEY, v LONGTEXT) ENGINE=InnoDB");
    }

    std::string Count() { return root.Value(std::string("SELECT COUNT(*) FROM ") + Db() + ".t"); }

    // A client logged in as root into the test database.
    std::unique_ptr<TInetClientSocket> LoggedIn(TransactServerProcess& server) {
        auto s = std::make_unique<TInetClientSocket>();
        s->Connect("127.0.0.1", server.Port());
        std::string answer;
        EXPECT_TRUE(
            RunTransactLogin(*s, testserver::kRootUser, testserver::kRootPassword, Db(), answer))
            << answer;
        return s;
    }

    testserver::RootConnection root;
};

TEST_F(TransactServerTest, WorksWithoutAutocommitDrainsRowsAndRollsBackOnQuit) {
    TransactServerProcess server;
    auto c = LoggedIn(server);
    EXPECT_EQ(TransactExchange(*c, "INSERT INTO t VALUES (1, 'a')").Text,
              "OK matched=1 insert_id=0\n");
    EXPECT_EQ(Count(), "0") << "autocommit is on";
    // Rows a statement answers are drained: the connection takes the next statement.
    EXPECT_EQ(TransactExchange(*c, "SELECT * FROM t").Text, "OK matched=1 insert_id=0\n");
    EXPECT_EQ(TransactExchange(*c, "COMMIT").Text, "OK\n");
    EXPECT_EQ(Count(), "1");
    EXPECT_EQ(TransactExchange(*c, "INSERT INTO t VALUES (2, 'b')").Text,
              "OK matched=1 insert_id=0\n");
    c->Send("QUIT;\n");
    EXPECT_EQ(c->Receive(10), "") << "QUIT is not answered; the server closes";
    EXPECT_EQ(Count(), "1") << "work left uncommitted at QUIT was kept";

    TInetClientSocket wrong;
    wrong.Connect("127.0.0.1", server.Port());
    std::string answer;
    EXPECT_FALSE(RunTransactLogin(wrong, testserver::kRootUser, "wrong", Db(), answer));
}

TEST_F(TransactServerTest, ServesSeveralClientsAndSurvivesOnesThatLeaveMidDialogue) {
    TransactServerProcess server;
    auto a = LoggedIn(server);
    for (const char* leftAt : {"", "roo", "root\n", "root\nkest"}) {
        TInetClientSocket quitter;
        quitter.Connect("127.0.0.1", server.Port());
        quitter.Send(leftAt);
    } // closed here, mid-dialogue
    auto b = LoggedIn(server);
    // Each client has its own transaction: a's uncommitted row is not b's to see.
    EXPECT_EQ(TransactExchange(*a, "INSERT INTO t VALUES (1, 'a')").Text,
              "OK matched=1 insert_id=0\n");
    EXPECT_EQ(TransactExchange(*b, "INSERT INTO t VALUES (2, 'b')").Text,
              "OK matched=1 insert_id=0\n");
    EXPECT_EQ(TransactExchange(*b, "COMMIT").Text, "OK\n");
    EXPECT_EQ(Count(), "1");
    EXPECT_EQ(TransactExchange(*a, "COMMIT").Text, "OK\n");
    EXPECT_EQ(Count(), "2");
    EXPECT_TRUE(server.Running());
}

TEST_F(TransactServerTest, RunsLongStatementsWholeAndRefusesLinesBeyondItsLimit) {
    TransactServerProcess server({"--max-line", "50000"});
    auto c = LoggedIn(server);
    const std::string value(40000, 'v');
    EXPECT_EQ(TransactExchange(*c, "INSERT INTO t VALUES (1, '" + value + "')").Text,
              "OK matched=1 insert_id=0\n");
    EXPECT_EQ(TransactExchange(*c, "COMMIT").Text, "OK\n");
    EXPECT_EQ(root.Value(std::string("SELECT LENGTH(v) FROM ") + Db() + ".t"), "40000");

    const TransactAnswer tooLong =
        TransactExchange(*c, "INSERT INTO t VALUES (2, '" + std::string(60000, 'w') + "')");
    EXPECT_EQ(tooLong.Text, "Command line longer than 50000 bytes; it was not run\n");
    EXPECT_EQ(TransactExchange(*c, "COMMIT").Text, "OK\n") << "the next line is read in step";
    EXPECT_EQ(Count(), "1");
}

} // namespace

namespace {

TEST_F(TransactServerTest, ReadsEveryResultOfAProcedureAndAnswersALaterFailure) {
    root.Exec(std::string("CREATE PROCEDURE ") + Db() +
              ".two_results() BEGIN SELECT 1; SELECT 2; INSERT INTO t VALUES (7, 'p'); END");
    root.Exec(std::string("CREATE PROCEDURE ") + Db() +
              ".late_failure() BEGIN SELECT 1; SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
              "'failed after the rows'; END");
    TransactServerProcess server;
    auto c = LoggedIn(server);
    EXPECT_EQ(TransactExchange(*c, "CALL two_results()").Text, "OK matched=1 insert_id=0\n");
    EXPECT_EQ(TransactExchange(*c, "CALL late_failure()").Text, "failed after the rows\n");
    EXPECT_EQ(TransactExchange(*c, "COMMIT").Text, "OK\n");
    EXPECT_EQ(Count(), "1");
}

} // namespace
