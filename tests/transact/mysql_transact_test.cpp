// TMySQLTransact on a real TMySQLDatabase: plain mode against the test server, transact-server mode
// against the real transact-server and against scripted listeners.
#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_transact.h"
#include "data/transact_dialogue.h"
#include "data/winsock_error.h"
#include "scripted_listener.h"
#include "support/scratch_database.h"
#include "support/test_server.h"
#include "transact_server_process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

using L = ScriptedListener;
// The text of the E that f raises.
template <typename E, typename F> std::string Raised(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "(nothing raised)";
}

std::vector<L::Step> AcceptingLogin() {
    return {L::Send("login: "), L::ReadLine(), L::Send("password: "), L::ReadLine(),
            L::Send("\n\r"),    L::ReadLine(), L::Send("OK\n")};
}

class TransactTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root.Exec(std::string("CREATE TABLE ") + Db() +
                  ".t (id INT PRIMARY KEY, v VARCHAR(20)) ENGINE=InnoDB");
        database.SetHost(testserver::kHost);
        database.SetLogin(testserver::kRootUser);
        database.SetPassword(testserver::kRootPassword);
        database.SetDatabase(Db());
        transact.SetDatabase(&database);
    }
    void TearDown() override {
        transact.Disconnect();
        database.Disconnect();
    }

    void UseTransServer(const std::string& port) {
        transact.UseTransServer = true;
        transact.SetHost("127.0.0.1");
        transact.Port = port;
    }
    std::string Rows(const std::string& where = "1") {
        return root.Value(std::string("SELECT COUNT(*) FROM ") + Db() + ".t WHERE " + where);
    }

    testserver::RootConnection root;
    TMySQLDatabase database;
    TMySQLTransact transact;
};

TEST_F(TransactTest, PlainModeConnectsOnlyTheDatabaseAndPassesStatementsToIt) {
    L watcher({}, std::chrono::milliseconds(500)); // would see any connection attempt
    transact.SetHost("127.0.0.1");
    transact.Port = watcher.PortText();
    transact.AutoCommit = true;
    EXPECT_EQ(Raised<EDatabaseError>([&] { transact.ExecSQL("DELETE FROM t"); }),
              dberr::kNotConnectedYet);

    transact.Connect();
    EXPECT_TRUE(transact.Connected());
    EXPECT_TRUE(database.Connected());
    transact.ExecSQL("INSERT INTO t VALUES (1, 'a')");
    EXPECT_EQ(Rows(), "1");
    EXPECT_EQ(Raised<EDatabaseError>([&] { transact.ExecSQL("INSERT INTO t VALUES (1, 'b')"); }),
              "Duplicate entry '1' for key 'PRIMARY'");
    watcher.Finish();
    EXPECT_FALSE(watcher.Accepted()) << "a socket was opened in plain mode";
    EXPECT_FALSE(transact.TransactConnect().HasSocket());

    TMySQLTransact alone;
    EXPECT_EQ(Raised<EDatabaseError>([&] { alone.Connect(); }), transacterr::kNoDatabase);
    EXPECT_FALSE(alone.Connected());
}

TEST_F(TransactTest, TransactModeCommitsRollsBackAndReportsTheServersErrors) {
    TransactServerProcess server;
    UseTransServer(server.PortText());
    transact.Connect();
    ASSERT_EQ(transact.TransactConnect().GetConnected(), 1);

    transact.ExecSQL("INSERT INTO t VALUES (1, 'a')");
    EXPECT_EQ(Rows(), "0") << "visible before COMMIT";
    transact.TransactQuery().Commit();
    EXPECT_EQ(transact.TransactQuery().GetStatus(), dsNone);
    EXPECT_EQ(Rows(), "1");
    transact.ExecSQL("INSERT INTO t VALUES (2, 'b')");
    transact.TransactQuery().Rollback();
    EXPECT_EQ(Rows(), "1");

    EXPECT_EQ(Raised<EDatabaseError>([&] { transact.ExecSQL("INSERT INTO t VALUES (1, 'c')"); }),
              "Duplicate entry '1' for key 'PRIMARY'");
    EXPECT_EQ(transact.TransactQuery().GetStatus(), dsError);
    // A statement that cannot travel as one line is refused unsent: sent as it is, its first
    // line alone would change every row.
    EXPECT_EQ(
        Raised<EDatabaseError>([&] { transact.ExecSQL("UPDATE t SET v = 'x'\nWHERE id = 2"); }),
        kLineBreakInCommand);

    transact.AutoCommit = true;
    transact.ExecSQL("INSERT INTO t VALUES (3, 'd')");
    EXPECT_EQ(Rows(), "2") << "AutoCommit sends COMMIT after the statement";
    EXPECT_EQ(Rows("v = 'x'"), "0");
}

TEST_F(TransactTest, WritingHostWhileConnectedSendsQuitAndCloses) {
    L server(AcceptingLogin());
    UseTransServer(server.PortText());
    transact.Connect();
    transact.SetHost("127.0.0.1");
    EXPECT_FALSE(transact.Connected());
    EXPECT_FALSE(transact.TransactConnect().HasSocket());
    server.Finish();
    EXPECT_TRUE(server.ClientClosed());
    EXPECT_EQ(server.Lines(),
              (std::vector<std::string>{testserver::kRootUser, testserver::kRootPassword,
                                        std::string("CONNECT ") + Db() + ";", "QUIT;"}));
    // Writing Database takes that database's host.
    database.SetHost("localhost");
    transact.SetDatabase(&database);
    EXPECT_EQ(transact.Host(), "localhost");
}

TEST_F(TransactTest, AWrongAnswerAfterThePasswordFailsTheLoginAndLeavesNoSocket) {
    L server({L::Send("login: "), L::ReadLine(), L::Send("password: "), L::ReadLine(),
              L::Send("\r\n"), L::ReadLine()});
    UseTransServer(server.PortText());
    EXPECT_EQ(Raised<EDatabaseError>([&] { transact.Connect(); }), transacterr::kCannotConnect);
    EXPECT_EQ(transact.TransactConnect().GetErrorMsg(), kConnectToTransactServerError);
    EXPECT_FALSE(transact.Connected());
    EXPECT_FALSE(transact.TransactConnect().HasSocket());
    server.Finish();
    EXPECT_TRUE(server.ClientClosed());
    EXPECT_EQ(server.Lines().size(), 2u) << "CONNECT was sent after a failed login";
    EXPECT_EQ(Raised<EDatabaseError>([&] { transact.ExecSQL("SELECT 1"); }),
              dberr::kNotConnectedYet);
}

TEST_F(TransactTest, NoListenerOrASilentOneRaisesEWinsockErrorAndLeavesNoSocket) {
    {
        SilentListener gone; // its port, with nothing listening on it afterwards
        UseTransServer(gone.PortText());
    }
    try {
        transact.Connect();
        ADD_FAILURE() << "connected to nothing";
    } catch (const EWinsockError& e) {
        EXPECT_EQ(e.Code(), ECONNREFUSED);
        EXPECT_EQ(std::string(e.what()),
                  "Winsocket error: " + std::string(std::strerror(ECONNREFUSED)) + " No " +
                      std::to_string(ECONNREFUSED) + ".");
    }
    EXPECT_FALSE(transact.Connected());

    SilentListener silent;
    UseTransServer(silent.PortText());
    transact.SetTimeout(std::chrono::milliseconds(300));
    try {
        transact.Connect();
        ADD_FAILURE() << "logged in without a prompt";
    } catch (const EWinsockError& e) {
        EXPECT_EQ(e.Code(), ETIMEDOUT) << e.what();
    }
    EXPECT_FALSE(transact.Connected());
    EXPECT_FALSE(transact.TransactConnect().HasSocket());
}

TEST_F(TransactTest, AServerThatStopsAnsweringOrLeavesIsNotUsedAgain) {
    for (const bool leaves : {true, false}) {
        std::vector<L::Step> script = AcceptingLogin();
        script.push_back(L::ReadLine());
        if (leaves)
            script.push_back(L::Close());
        L server(script);
        UseTransServer(server.PortText());
        transact.SetTimeout(std::chrono::milliseconds(300));
        transact.Connect();
        if (leaves)
            EXPECT_EQ(Raised<EDatabaseError>([&] { transact.ExecSQL("DELETE FROM t"); }),
                      kTransactServerClosed);
        else
            EXPECT_NE(Raised<EWinsockError>([&] {
                          transact.ExecSQL("DELETE FROM t");
                      }).find(std::strerror(ETIMEDOUT)),
                      std::string::npos);
        // A late answer must not be taken for the answer to the next statement.
        EXPECT_EQ(Raised<EDatabaseError>([&] { transact.ExecSQL("DELETE FROM t"); }),
                  transacterr::kNoTransactServer);
        transact.Disconnect();
    }
}

} // namespace

namespace {

TEST_F(TransactTest, ALostTransactServerIsNotConnectedAndTheNextConnectLogsInAgain) {
    std::vector<L::Step> script = AcceptingLogin();
    script.push_back(L::ReadLine());
    script.push_back(L::Close());
    L leaving(script);
    UseTransServer(leaving.PortText());
    transact.SetTimeout(std::chrono::milliseconds(300));
    transact.Connect();
    EXPECT_TRUE(transact.Connected());
    EXPECT_EQ(Raised<EDatabaseError>([&] { transact.ExecSQL("DELETE FROM t"); }),
              kTransactServerClosed);
    EXPECT_FALSE(transact.Connected());

    TransactServerProcess server;
    transact.Port = server.PortText();
    transact.Connect();
    EXPECT_TRUE(transact.Connected());
    transact.AutoCommit = true;
    transact.ExecSQL("INSERT INTO t VALUES (1, 'again')");
    EXPECT_EQ(Rows(), "1");
}

} // namespace
