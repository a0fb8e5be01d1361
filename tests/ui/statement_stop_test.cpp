// Stopping a statement from the window: the stop reaches the server over a connection of its own,
// made beside the window, so that a server slow to reach never holds the window; a stop that could
// not be sent lets the operator ask again, and the call then ends as it would have.
#include "data/blocking_calls.h"
#include "support/silent_server.h"
#include "support/test_server.h"
#include "ui/statement_runner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include <gtest/gtest.h>

TEST(StatementStop, AStopToAServerSlowToReachLeavesTheWindowAliveAndCanBeAskedAgain) {
    SilentServer silent(std::chrono::seconds(30));
    ASSERT_FALSE(silent.Host().empty());
    QWidget window;
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    StatementRunner runner(&window);

    // A connection held as a streaming reader holds it, whose statement is stopped on a server that
    // takes the stop's connection but never answers it.
    testserver::RootConnection connection;
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
    StopTarget target;
    target.host = silent.Host();
    target.user = testserver::kRootUser;
    target.password = testserver::kRootPassword;
    target.port = 3306;
    target.threadId = 4242;
    ASSERT_TRUE(HoldConnection(connection.get(), target, [&] {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return released; });
    }));

    // The reader's end: it lets the connection go, then its waiters.
    const auto release = [&] {
        ReleaseConnection(connection.get());
        const std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    };
    QTimer::singleShot(15000, release); // a test that went wrong still ends

    // The window's timer ticks throughout; Stop is pressed once the progress shows, and the hold
    // ends once Stop can be pressed again.
    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 longestGap = 0;
    QElapsedTimer sinceStop;
    qint64 stopAnsweredAfter = -1;
    QPushButton* stop = nullptr;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
        QWidget* progress = StatementRunner::ProgressWindow();
        if (!progress)
            return;
        if (!stop) {
            stop = progress->findChild<QPushButton*>(QStringLiteral("stopButton"));
            ASSERT_NE(stop, nullptr);
            sinceStop.start();
            stop->click();
            EXPECT_FALSE(stop->isEnabled()); // on its way
            return;
        }
        if (stopAnsweredAfter < 0 && stop->isEnabled()) {
            stopAnsweredAfter = sinceStop.elapsed();
            release();
        }
    });
    tick.start(10);
    const bool ran = FinishHeldConnection(connection.get());
    tick.stop();

    // The stop could not be sent (the server never answered its connection), so the wait ended by
    // itself, not stopped; the window kept ticking meanwhile.
    EXPECT_TRUE(ran);
    EXPECT_GE(stopAnsweredAfter, 1000);
    EXPECT_LT(longestGap, 500);
    EXPECT_FALSE(ConnectionHeld(connection.get()));
    silent.Close();
}
