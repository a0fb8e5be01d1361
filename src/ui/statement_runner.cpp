#include "ui/statement_runner.h"

#include "ui/language.h"
#include "ui/statement_progress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// Calls this short are waited for without processing events.
constexpr auto kQuietWait = std::chrono::milliseconds(20);
// After this long the progress window shows.
constexpr int kShowProgressMs = 500;

// One call in progress. Calls nest when an event processed during one starts another.
struct RunningCall {
    StopTarget target;
    bool stopped = false;
    StatementProgress* progress = nullptr;
    RunningCall* outer = nullptr;

    bool Stop() {
        if (!stopped)
            stopped = StopStatement(target);
        return stopped;
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

} // namespace

StatementRunner::StatementRunner(QWidget* window) : window_(window) {
    previous_ = SetBlockingCallRunner(
        [this](MYSQL* handle, const std::function<void()>& work) { return Run(handle, work); });
    previousPoster_ = SetRowArrivalPoster([](std::function<void()> task) {
        QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
    });
}

StatementRunner::~StatementRunner() {
    SetRowArrivalPoster(std::move(previousPoster_));
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

BlockingCallOutcome StatementRunner::Run(MYSQL* handle, const std::function<void()>& work) {
    RunningCall call;
    // Read before the worker starts: the connection belongs to the worker until the call ends.
    call.target = StopTargetOf(handle);
    call.outer = innermost;
    innermost = &call;
    QElapsedTimer running;
    running.start();

    QEventLoop loop;
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
        if (!completion.WaitFor(kQuietWait)) {
            // The windows paint, but clicks and keys wait until the call is over.
            QTimer showProgress;
            showProgress.setSingleShot(true);
            QObject::connect(&showProgress, &QTimer::timeout, &loop, &QEventLoop::quit);
            showProgress.start(std::max(0, kShowProgressMs - int(running.elapsed())));
            if (!completion.IsDone())
                loop.exec(QEventLoop::ExcludeUserInputEvents);
            if (!completion.IsDone()) {
                QWidget* parent = QApplication::activeWindow();
                if (!parent)
                    parent = window_;
                StatementProgress progress(parent, running, [&call] { return call.Stop(); });
                call.progress = &progress;
                progress.show();
                while (!completion.IsDone())
                    loop.exec();
                call.progress = nullptr;
            }
        }
    } // the worker has ended here
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
