// The transact-server's login and commands run beside the window; a stop closes the socket. A
// stopped command is never reported as done: whether it ran on the other side is not known, and
// nothing more (no COMMIT) is sent after it.
#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_transact.h"
#include "scripted_listener.h"
#include "support/test_server.h"
#include "support/thread_runners.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using L = ScriptedListener;
using std::chrono::milliseconds;

std::vector<L::Step> AcceptingLogin() {
    return {L::Send("login: "), L::ReadLine(), L::Send("password: "), L::ReadLine(),
            L::Send("\n\r"),    L::ReadLine(), L::Send("OK\n")};
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST(TransactStopTest, AStoppedCommandClosesTheSocketAndIsNeverReportedDone) {
    // The listener reads the statement and never answers it.
    ScriptedListener listener(AcceptingLogin(), std::chrono::seconds(5));
    TDirTrSQLConnect connect;
    connect.Host = "127.0.0.1";
    connect.Port = listener.PortText();
    connect.Login = "user";
    connect.Password = "secret";
    connect.Database = "db";
    ThreadRunners runners(milliseconds(300));
    runners.stopOnlyTransactCommands = true;
    ASSERT_EQ(connect.Connect(), dsConnected);
    EXPECT_EQ(runners.sideCalls, 1);

    TDirTrSqlQuery query(&connect);
    query.Sql = "UPDATE t SET v = 'x'";
    EXPECT_EQ(query.ExecSql(), -1);
    EXPECT_TRUE(query.Failed);
    EXPECT_EQ(runners.sideCalls, 2);
    EXPECT_GE(runners.stoppedToEnd.count(), 0);
    EXPECT_LT(runners.stoppedToEnd.count(), 200);
    EXPECT_TRUE(connect.Stopped());
    EXPECT_FALSE(connect.HasSocket());
    EXPECT_EQ(connect.GetConnected(), 0);
    EXPECT_EQ(connect.GetErrorMsg(), ThreadRunners::kTransactStopped);
    listener.Finish();
    EXPECT_TRUE(Holds(listener.Lines(), "UPDATE t SET v = 'x';"));
    EXPECT_TRUE(listener.ClientClosed());
    // Nothing follows on a closed connection.
    query.Sql = "SELECT 1";
    EXPECT_EQ(query.ExecSql(), -1);
    EXPECT_EQ(runners.sideCalls, 2);
}

TEST(TransactStopTest, AStoppedLoginClosesTheSocketAndSaysItWasStopped) {
    SilentListener silent;
    TDirTrSQLConnect connect;
    connect.Host = "127.0.0.1";
    connect.Port = silent.PortText();
    ThreadRunners runners(milliseconds(300));
    EXPECT_EQ(connect.Connect(), dsError);
    EXPECT_LT(runners.stoppedToEnd.count(), 200);
    EXPECT_TRUE(connect.Stopped());
    EXPECT_FALSE(connect.HasSocket());
    EXPECT_EQ(connect.GetErrorMsg(), ThreadRunners::kConnectStopped);
}

TEST(TransactStopTest, AStoppedWriteWithAutoCommitRaisesAndSendsNoCommit) {
    testserver::RootConnection root;
    TMySQLDatabase database;
    database.SetHost(testserver::kHost);
    database.SetLogin(testserver::kRootUser);
    database.SetPassword(testserver::kRootPassword);
    database.SetDatabase("mysql");
    ScriptedListener listener(AcceptingLogin(), std::chrono::seconds(5));
    TMySQLTransact transact;
    transact.SetDatabase(&database);
    transact.UseTransServer = true;
    transact.AutoCommit = true;
    transact.SetHost("127.0.0.1");
    transact.Port = listener.PortText();
    ThreadRunners runners(milliseconds(300));
    runners.stopOnlyTransactCommands = true;
    transact.Connect();
    ASSERT_TRUE(transact.Connected());
    try {
        transact.ExecSQL("INSERT INTO t VALUES (1)");
        ADD_FAILURE() << "reported as done";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), ThreadRunners::kTransactStopped);
    }
    EXPECT_FALSE(transact.Connected());
    listener.Finish();
    EXPECT_TRUE(Holds(listener.Lines(), "INSERT INTO t VALUES (1);"));
    EXPECT_FALSE(Holds(listener.Lines(), "COMMIT;"));
    transact.Disconnect();
    database.Disconnect();
}
