#include "ui/statement_runner.h"

#include "ui/language.h"
#include "ui/statement_progress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Calls this short are waited for without processing events.
constexpr auto kQuietWait = std::chrono::milliseconds(20);
// After this long the progress window shows.
constexpr int kShowProgressMs = 500;

// A statement's stop being sent beside the window: sending it means a connection of its own to the
// server, which can take seconds when the server is slow to reach.
struct StopInFlight {
    std::atomic<bool> done{false};
    std::atomic<bool> sent{false};
    std::jthread sender;
};

// One call in progress. Calls nest when an event processed during one starts another.
struct RunningCall {
    // Sends the stop; answers whether it was sent.
    std::function<bool()> stop;
    // A connect is left on Stop: the wait ends at once, the work ends by itself.
    bool leaveOnStop = false;
    // The stop is sent beside the window (a statement's KILL); Stop answers at once.
    bool stopAside = false;
    bool stopped = false;
    QEventLoop* loop = nullptr;
    StatementProgress* progress = nullptr;
    RunningCall* outer = nullptr;
    std::unique_ptr<StopInFlight> inFlight;
    int stopAttempts = 0;

    bool Stop() {
        if (stopAside)
            return StopAside();
        if (!stopped)
            stopped = stop();
        if (Left())
            loop->quit();
        return stopped;
    }
    bool Left() const { return leaveOnStop && stopped; }

    // Sends the stop on a thread of its own; the window hears when it could not be sent. Answers
    // true: the stop is on its way (or sent).
    bool StopAside() {
        if (stopped || (inFlight && !inFlight->done.load()))
            return true;
        inFlight = std::make_unique<StopInFlight>(); // a failed one before it has ended
        StopInFlight* flight = inFlight.get();
        QEventLoop* wait = loop;
        const int attempt = ++stopAttempts;
        flight->sender = std::jthread([this, flight, wait, attempt, send = stop] {
            flight->sent = send();
            flight->done = true;
            // Heard on the window's thread while the wait lasts; dropped with the wait's loop.
            QMetaObject::invokeMethod(
                wait, [this, attempt] { StopAnswered(attempt); }, Qt::QueuedConnection);
        });
        return true;
    }
    void StopAnswered(int attempt) {
        if (attempt != stopAttempts)
            return; // an earlier attempt's answer
        stopped = inFlight->sent.load();
        if (!stopped && progress)
            progress->stopFailed();
    }
    // Once the work has ended: the stop still on its way is waited for, so that it cannot meet
    // the connection's next statement, and tells whether the call was stopped.
    void SettleStop() {
        if (!inFlight)
            return;
        if (inFlight->sender.joinable())
            inFlight->sender.join();
        stopped = inFlight->sent.load();
    }
};

RunningCall* innermost = nullptr;

// The work's end, told by the worker thread to the window's thread.
class Completion {
public:
    void Done() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
    }
    bool WaitFor(std::chrono::milliseconds time) {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, time, [this] { return done_; });
    }
    bool IsDone() {
        const std::lock_guard lock(mutex_);
        return done_;
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
};

// How often the end of a side call is looked for: its work tells nobody, since it may outlive the
// wait.
constexpr auto kSideCallPoll = std::chrono::milliseconds(10);

QString StoppedText(SideCall::Kind kind) {
    switch (kind) {
    case SideCall::Kind::Connect:
    case SideCall::Kind::TransactConnect:
        return BiText(QStringLiteral("Connecting stopped by the operator"),
                      QStringLiteral("Povezivanje je zaustavio operater"));
    case SideCall::Kind::TransactCommand:
        return BiText(
            QStringLiteral("Stopped by the operator: the connection to the transact-server was "
                           "closed, so whether the statement ran there is not known"),
            QStringLiteral("Zaustavio operater: veza s transact-poslužiteljem je zatvorena, pa "
                           "nije poznato je li naredba ondje izvršena"));
    }
    return {};
}

} // namespace

StatementRunner::StatementRunner(QWidget* window) : window_(window) {
    previous_ = SetBlockingCallRunner(
        [this](MYSQL* handle, const std::function<void()>& work) { return Run(handle, work); });
    previousSide_ = SetSideCallRunner([this](const SideCall& call) { return RunSide(call); });
    previousPoster_ = SetRowArrivalPoster([](std::function<void()> task) {
        QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
    });
}

StatementRunner::~StatementRunner() {
    SetRowArrivalPoster(std::move(previousPoster_));
    SetSideCallRunner(std::move(previousSide_));
    SetBlockingCallRunner(std::move(previous_));
}

bool StatementRunner::Running() {
    return innermost != nullptr;
}

bool StatementRunner::StopRunning() {
    return innermost && innermost->Stop();
}

QWidget* StatementRunner::ProgressWindow() {
    return innermost ? innermost->progress : nullptr;
}

namespace {

// Waits on the window's thread until the call has ended (or was left); its progress window belongs
// to the active window, else to window.
void Wait(QWidget* window, RunningCall& call, Completion& completion, QEventLoop& loop) {
    QElapsedTimer running;
    running.start();
    if (completion.WaitFor(kQuietWait))
        return;
    // The windows paint, but clicks and keys wait until the call is over.
    QTimer showProgress;
    showProgress.setSingleShot(true);
    QObject::connect(&showProgress, &QTimer::timeout, &loop, &QEventLoop::quit);
    showProgress.start(std::max(0, kShowProgressMs - int(running.elapsed())));
    if (!completion.IsDone())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (completion.IsDone() || call.Left())
        return;
    QWidget* parent = QApplication::activeWindow();
    if (!parent)
        parent = window;
    StatementProgress progress(parent, running, [&call] { return call.Stop(); });
    call.progress = &progress;
    progress.show();
    while (!completion.IsDone() && !call.Left())
        loop.exec();
    call.progress = nullptr;
}

} // namespace

BlockingCallOutcome StatementRunner::Run(MYSQL* handle, const std::function<void()>& work) {
    RunningCall call;
    // Read before the worker starts: the connection belongs to the worker until the call ends.
    call.stop = [target = StopTargetOf(handle)] { return StopStatement(target); };
    call.stopAside = true;
    call.outer = innermost;
    innermost = &call;

    QEventLoop loop;
    call.loop = &loop;
    Completion completion;
    std::exception_ptr failure;
    {
        std::jthread worker([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            completion.Done();
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        Wait(window_, call, completion, loop);
    } // the worker has ended here
    call.SettleStop();
    innermost = call.outer;
    if (failure)
        std::rethrow_exception(failure);
    BlockingCallOutcome outcome;
    if (call.stopped) {
        outcome.stopped = true;
        outcome.stoppedText = BiText(QStringLiteral("Stopped by the operator"),
                                     QStringLiteral("Naredbu je zaustavio operater"))
                                  .toStdString();
    }
    return outcome;
}

BlockingCallOutcome StatementRunner::RunSide(const SideCall& side) {
    RunningCall call;
    call.leaveOnStop = side.kind == SideCall::Kind::Connect;
    call.stop = [stop = side.stop] {
        // A connect has nothing to send: it is left. A transact-server call's socket closes.
        if (stop)
            stop();
        return true;
    };
    call.outer = innermost;
    innermost = &call;

    QEventLoop loop;
    call.loop = &loop;
    // Shared with the worker, which may outlive this wait when the call is left.
    auto completion = std::make_shared<Completion>();
    std::thread worker([completion, work = side.work] {
        try {
            work();
        } catch (...) {
            // Side calls keep their own failures; nothing may escape a thread.
        }
        completion->Done();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (completion->IsDone())
            loop.quit();
    });
    poll.start(kSideCallPoll);
    Wait(window_, call, *completion, loop);
    poll.stop();
    // A left connect ends by itself; everything it uses it owns.
    if (call.Left() && !completion->IsDone())
        worker.detach();
    else
        worker.join();
    innermost = call.outer;
    BlockingCallOutcome outcome;
    if (call.stopped) {
        outcome.stopped = true;
        outcome.stoppedText = StoppedText(side.kind).toStdString();
    }
    return outcome;
}
