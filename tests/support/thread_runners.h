// The windows' runners without a window, for tests of the data layer: work runs on a thread of its
// own while the caller's thread calls whileWaiting now and then; a side call is stopped after
// stopAfter (a connect by leaving it, a transact-server call by its stop), as the window does.
#pragma once

#include "data/blocking_calls.h"

#include <chrono>
#include <functional>

class ThreadRunners {
public:
    static constexpr const char* kConnectStopped = "Connecting stopped by the operator";
    static constexpr const char* kTransactStopped = "Stopped: whether it ran is not known";

    explicit ThreadRunners(std::chrono::milliseconds stopAfter = std::chrono::minutes(1));
    ~ThreadRunners();
    ThreadRunners(const ThreadRunners&) = delete;
    ThreadRunners& operator=(const ThreadRunners&) = delete;

    static std::chrono::milliseconds Since(std::chrono::steady_clock::time_point start);

    int calls = 0;
    int sideCalls = 0;
    std::function<void()> whileWaiting;
    // Side calls of other kinds run to their end.
    bool stopOnlyTransactCommands = false;
    // From the stop to the runner's return (-1: nothing was stopped).
    std::chrono::milliseconds stoppedToEnd{-1};

private:
    BlockingCallOutcome Run(MYSQL* handle, const std::function<void()>& work);
    BlockingCallOutcome RunSide(const SideCall& call);

    std::chrono::milliseconds stopAfter_;
    BlockingCallRunner previous_;
    SideCallRunner previousSide_;
};
