// The calls besides statements that wait for the server run through the seam as well: connects
// (which Stop leaves to end by themselves), Ping, SelectDatabase and Shutdown; and a connection
// busy with a running call is still there for the indicators, without being pinged.
#include "support/silent_server.h"
#include "support/test_server.h"
#include "support/thread_runners.h"

#include "data/blocking_calls.h"
#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/server_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr const char* kConnectStopped = ThreadRunners::kConnectStopped;

milliseconds Since(Clock::time_point start) {
    return ThreadRunners::Since(start);
}

SessionLogin RootLogin() {
    return {
        testserver::kHost, testserver::kRootUser, testserver::kRootPassword, {}, testserver::kPort};
}

SessionLogin SilentLogin(const SilentServer& silent) {
    return {silent.Host(), testserver::kRootUser, testserver::kRootPassword, {}, 3306};
}

class SideCallsTest : public ::testing::Test {
protected:
    testserver::RootConnection root; // loads the client library
};

bool WaitUntilNoSideCallWorks() {
    const auto start = Clock::now();
    while (SideCallsWorking() != 0 && Since(start) < milliseconds(5000))
        std::this_thread::sleep_for(milliseconds(10));
    return SideCallsWorking() == 0;
}

} // namespace

TEST_F(SideCallsTest, AConnectToAServerThatNeverAnswersIsLeftOnStopAndEndsByItself) {
    SilentServer silent;
    ASSERT_FALSE(silent.Host().empty());
    ServerSession session;
    {
        ThreadRunners runners(milliseconds(300));
        const auto start = Clock::now();
        EXPECT_FALSE(session.Connect(SilentLogin(silent)));
        EXPECT_LT(Since(start).count(), 2000);
        EXPECT_EQ(runners.sideCalls, 1);
        EXPECT_GE(runners.stoppedToEnd.count(), 0);
        EXPECT_LT(runners.stoppedToEnd.count(), 100);
        EXPECT_TRUE(session.Stopped());
        EXPECT_EQ(session.Error().number, kStoppedErrorNumber);
        EXPECT_EQ(session.Error().text, kConnectStopped);
        // The attempt still waits on its own thread; the short connect is left the same way.
        EXPECT_EQ(SideCallsWorking(), 1);
        EXPECT_FALSE(session.ConnectShort(silent.Host(), "root", "kestrel"));
        EXPECT_TRUE(session.Stopped());
        EXPECT_EQ(SideCallsWorking(), 2);
    }
    // The server's end ends the attempts; their connection records are closed with them.
    silent.Close();
    EXPECT_TRUE(WaitUntilNoSideCallWorks());

    // The session connects again, also through the runner, and the stop is forgotten.
    ThreadRunners runners;
    ASSERT_TRUE(session.Connect(RootLogin())) << session.Error().text;
    EXPECT_EQ(runners.sideCalls, 1);
    EXPECT_FALSE(session.Stopped());
    EXPECT_EQ(session.Run("SELECT 2").rows, (std::vector<TextRow>{{"2"}}));
    // A failed connect keeps the library's error on the session.
    EXPECT_FALSE(session.Connect({testserver::kHost, "root", "wrong", {}, testserver::kPort}));
    EXPECT_EQ(session.Error().number, 1045u);
    EXPECT_FALSE(session.Stopped());
}

TEST_F(SideCallsTest, AStoppedDatabaseConnectSaysItWasStopped) {
    SilentServer silent;
    ASSERT_FALSE(silent.Host().empty());
    TMySQLDatabase db;
    db.SetHost(silent.Host());
    db.SetLogin(testserver::kRootUser);
    db.SetPassword(testserver::kRootPassword);
    db.SetDatabase("mysql");
    {
        ThreadRunners runners(milliseconds(300));
        try {
            db.Connect();
            ADD_FAILURE() << "connected";
        } catch (const EDatabaseError& e) {
            EXPECT_STREQ(e.what(), kConnectStopped);
        }
        EXPECT_FALSE(db.Connected());
    }
    silent.Close();
    EXPECT_TRUE(WaitUntilNoSideCallWorks());
}

TEST_F(SideCallsTest, PingSelectDatabaseAndShutdownRunThroughTheRunner) {
    ThreadRunners runners;
    ServerSession session;
    ASSERT_TRUE(session.Connect(RootLogin())) << session.Error().text;
    EXPECT_TRUE(session.Ping());
    EXPECT_EQ(runners.calls, 1);
    EXPECT_TRUE(session.SelectDatabase("mysql"));
    EXPECT_EQ(runners.calls, 2);
    EXPECT_EQ(session.Run("SELECT DATABASE()").rows, (std::vector<TextRow>{{"mysql"}}));
    EXPECT_FALSE(session.SelectDatabase("kt_no_such_database"));
    EXPECT_EQ(session.Error().number, 1049u);

    // A user without the privilege is refused; the server goes on.
    ServerSession plain;
    ASSERT_TRUE(plain.Connect({testserver::kHost,
                               testserver::kPlainUser,
                               testserver::kPlainPassword,
                               {},
                               testserver::kPort}))
        << plain.Error().text;
    runners.calls = 0;
    EXPECT_FALSE(plain.Shutdown());
    EXPECT_EQ(runners.calls, 1);
    EXPECT_EQ(plain.Error().number, 1227u) << plain.Error().text;
    EXPECT_TRUE(session.Ping());

    // A call on a connection busy with another one is refused without reaching the server.
    bool innerPing = true;
    EXPECT_TRUE(RunBlockingCall(session.handle(), [&] { innerPing = session.Ping(); }));
    EXPECT_FALSE(innerPing);
}

TEST_F(SideCallsTest, AConnectionBusyWithARunningCallIsStillThereAndIsNotPinged) {
    TMySQLDatabase db;
    db.SetHost(testserver::kHost);
    db.SetLogin(testserver::kRootUser);
    db.SetPassword(testserver::kRootPassword);
    db.SetDatabase("mysql");
    db.Connect();
    ASSERT_TRUE(db.Connected());
    ThreadRunners runners;
    int asked = 0;
    int stillThere = 0;
    // The indicators ask while the statement runs, from the thread that waits for it.
    runners.whileWaiting = [&] {
        ++asked;
        if (db.StillConnected())
            ++stillThere;
    };
    const std::string slept = db.SelectValue("SLEEP(0.5) + 41");
    runners.whileWaiting = nullptr;
    EXPECT_EQ(slept, "41");
    EXPECT_GT(asked, 10);
    EXPECT_EQ(stillThere, asked);
    EXPECT_TRUE(db.Connected());
    // The statement's answer was its own, and the connection goes on.
    EXPECT_EQ(db.SelectValue("CONNECTION_ID() > 0"), "1");
    // Outside a call the indicator pings the server.
    runners.calls = 0;
    EXPECT_TRUE(db.StillConnected());
    EXPECT_EQ(runners.calls, 1);
}
