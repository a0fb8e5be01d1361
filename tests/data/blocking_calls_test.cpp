// The seam every waiting call goes through: a runner on another thread, Stop by KILL QUERY on a
// separate connection, the stopped call reported as failed, and the connection usable afterwards.
#include "support/test_server.h"

#include "data/blocking_calls.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/server_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

SessionLogin RootLogin() {
    return {
        testserver::kHost, testserver::kRootUser, testserver::kRootPassword, {}, testserver::kPort};
}

// A runner as a window has one, without the window: the work runs on a thread of its own and,
// when stopAfter has passed, the statement is stopped from the caller's thread.
class ThreadRunner {
public:
    explicit ThreadRunner(std::chrono::milliseconds stopAfter) : stopAfter_(stopAfter) {
        previous_ = SetBlockingCallRunner(
            [this](MYSQL* handle, const std::function<void()>& work) { return Run(handle, work); });
    }
    ~ThreadRunner() { SetBlockingCallRunner(std::move(previous_)); }

    int calls = 0;
    bool ranOnOtherThread = true;
    bool sawRunning = false;
    std::chrono::milliseconds stoppedToEnd{-1};

private:
    BlockingCallOutcome Run(MYSQL* handle, const std::function<void()>& work) {
        ++calls;
        sawRunning = BlockingCallRunning() && ConnectionBusy(handle);
        const StopTarget target = StopTargetOf(handle);
        const auto caller = std::this_thread::get_id();
        std::atomic<bool> done{false};
        std::jthread worker([&] {
            if (std::this_thread::get_id() == caller)
                ranOnOtherThread = false;
            work();
            done = true;
        });
        const auto start = Clock::now();
        bool stopped = false;
        Clock::time_point stoppedAt;
        while (!done) {
            if (!stopped && Clock::now() - start >= stopAfter_) {
                stopped = StopStatement(target);
                stoppedAt = Clock::now();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        worker.join();
        if (!stopped)
            return {};
        stoppedToEnd =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - stoppedAt);
        return {true, "Stopped by the operator"};
    }

    std::chrono::milliseconds stopAfter_;
    BlockingCallRunner previous_;
};

class BlockingCallsTest : public ::testing::Test {
protected:
    testserver::RootConnection root; // loads the client library
};

} // namespace

TEST_F(BlockingCallsTest, WithoutARunnerCallsRunInline) {
    ServerSession session;
    ASSERT_TRUE(session.Connect(RootLogin())) << session.Error().text;
    EXPECT_FALSE(BlockingCallRunning());
    const SessionResult r = session.Run("SELECT 1");
    ASSERT_FALSE(r.failed);
    EXPECT_EQ(r.rows, (std::vector<TextRow>{{"1"}}));
}

TEST_F(BlockingCallsTest, AStoppedStatementFailsWithTheTextAndTheConnectionGoesOn) {
    ServerSession session;
    ASSERT_TRUE(session.Connect(RootLogin())) << session.Error().text;
    const unsigned long thread = session.ThreadId();
    ThreadRunner runner(std::chrono::milliseconds(300));

    // SLEEP answers a row even when it is interrupted: the stop still fails the statement.
    const SessionResult slept = session.Run("SELECT SLEEP(5)");
    EXPECT_TRUE(slept.failed);
    EXPECT_TRUE(slept.rows.empty());
    EXPECT_TRUE(runner.ranOnOtherThread);
    EXPECT_TRUE(runner.sawRunning);
    EXPECT_GE(runner.stoppedToEnd.count(), 0);
    EXPECT_LT(runner.stoppedToEnd.count(), 1000);
    EXPECT_TRUE(session.Stopped());
    EXPECT_EQ(session.Error().number, kStoppedErrorNumber);
    EXPECT_EQ(session.Error().text, "Stopped by the operator");
    EXPECT_EQ(session.FullErrorText(), "Stopped by the operator");

    // The next statement runs on the same connection, and the stop is forgotten.
    const SessionResult next = session.Run("SELECT CONNECTION_ID()");
    ASSERT_FALSE(next.failed) << session.Error().text;
    EXPECT_EQ(next.rows, (std::vector<TextRow>{{std::to_string(thread)}}));
    EXPECT_FALSE(session.Stopped());
    EXPECT_EQ(session.Error().number, 0u);
    EXPECT_FALSE(BlockingCallRunning());
}

TEST_F(BlockingCallsTest, AStoppedQueryOpenLeavesTheQueryClosedAndTheDatabaseUsable) {
    TMySQLDatabase db;
    db.SetHost(testserver::kHost);
    db.SetLogin(testserver::kRootUser);
    db.SetPassword(testserver::kRootPassword);
    db.SetDatabase("mysql");
    db.Connect();
    ASSERT_TRUE(db.Connected());
    TMySQLQuery query;
    query.SetDatabase(&db);
    query.StoreResult = true;
    query.SetSQLText("SELECT SLEEP(5) AS s");
    {
        ThreadRunner runner(std::chrono::milliseconds(300));
        EXPECT_THROW(query.Open(), EDatabaseError);
        EXPECT_FALSE(query.Active());
        EXPECT_LT(runner.stoppedToEnd.count(), 1000);
        // A statement of a data definition or change is stopped the same way.
        ThreadRunner again(std::chrono::milliseconds(300));
        EXPECT_THROW(db.ExecSQL("DO SLEEP(5)"), EDatabaseError);
    }
    query.SetSQLText("SELECT 5 AS five");
    query.Open();
    ASSERT_TRUE(query.Active());
    EXPECT_EQ(query.Field(0).AsString(), "5");
}

TEST_F(BlockingCallsTest, ASecondCallOnABusyConnectionIsRefusedUnrun) {
    ServerSession session;
    ASSERT_TRUE(session.Connect(RootLogin())) << session.Error().text;
    bool innerRan = true;
    bool innerAnswer = true;
    const bool outer = RunBlockingCall(session.handle(), [&] {
        innerAnswer = RunBlockingCall(session.handle(), [&] { innerRan = true; });
    });
    EXPECT_TRUE(outer);
    EXPECT_FALSE(innerAnswer);
    innerRan = false;
    EXPECT_TRUE(RunBlockingCall(session.handle(), [&] { innerRan = true; }));
    EXPECT_TRUE(innerRan);
    EXPECT_FALSE(ConnectionBusy(session.handle()));
}
