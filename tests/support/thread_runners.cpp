#include "support/thread_runners.h"

#include <atomic>
#include <memory>
#include <thread>

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

ThreadRunners::ThreadRunners(milliseconds stopAfter) : stopAfter_(stopAfter) {
    previous_ = SetBlockingCallRunner(
        [this](MYSQL* handle, const std::function<void()>& work) { return Run(handle, work); });
    previousSide_ = SetSideCallRunner([this](const SideCall& call) { return RunSide(call); });
}

ThreadRunners::~ThreadRunners() {
    SetSideCallRunner(std::move(previousSide_));
    SetBlockingCallRunner(std::move(previous_));
}

milliseconds ThreadRunners::Since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

BlockingCallOutcome ThreadRunners::Run(MYSQL*, const std::function<void()>& work) {
    ++calls;
    std::atomic<bool> done{false};
    std::jthread worker([&] {
        work();
        done = true;
    });
    while (!done) {
        if (whileWaiting)
            whileWaiting();
        std::this_thread::sleep_for(milliseconds(5));
    }
    return {};
}

BlockingCallOutcome ThreadRunners::RunSide(const SideCall& call) {
    ++sideCalls;
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread worker([done, work = call.work] {
        work();
        *done = true;
    });
    const bool stoppable =
        !stopOnlyTransactCommands || call.kind == SideCall::Kind::TransactCommand;
    const auto start = Clock::now();
    while (!*done && (!stoppable || Clock::now() - start < stopAfter_))
        std::this_thread::sleep_for(milliseconds(5));
    if (*done) {
        worker.join();
        return {};
    }
    const auto stoppedAt = Clock::now();
    if (call.kind == SideCall::Kind::Connect) {
        worker.detach();
    } else {
        call.stop();
        worker.join();
    }
    stoppedToEnd = Since(stoppedAt);
    return {true,
            call.kind == SideCall::Kind::TransactCommand ? kTransactStopped : kConnectStopped};
}
