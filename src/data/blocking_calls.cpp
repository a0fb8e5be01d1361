#include "data/blocking_calls.h"

#include "data/client_handles.h"
#include "data/statement_results.h"

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <utility>

namespace {

// A stop is answered at once by a server that runs; one that does not is not waited for long.
constexpr unsigned kStopConnectSeconds = 3;

struct CallState {
    std::mutex mutex;
    BlockingCallRunner runner;
    SideCallRunner sideRunner;
    std::set<MYSQL*> busy;
    std::map<MYSQL*, std::string> stopped;
    struct Hold {
        StopTarget target;
        std::function<void()> waitForEnd;
    };
    std::map<MYSQL*, Hold> holds;
    std::atomic<int> running{0};
    std::atomic<int> stoppedCount{0};
};

// Outside the state: a left call may end while the program is ending.
std::atomic<int> sideWorks{0};

CallState& State() {
    static CallState state;
    return state;
}

std::string Text(const char* text) {
    return text ? text : "";
}

// Marks the connection busy for the lifetime of the mark; the previous call's stopped state goes.
class BusyMark {
public:
    explicit BusyMark(MYSQL* handle) : handle_(handle) {
        CallState& s = State();
        const std::lock_guard lock(s.mutex);
        entered_ = s.busy.insert(handle).second;
        if (entered_ && s.stopped.erase(handle))
            --s.stoppedCount;
    }
    ~BusyMark() {
        if (!entered_)
            return;
        CallState& s = State();
        const std::lock_guard lock(s.mutex);
        s.busy.erase(handle_);
    }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;
    bool entered() const { return entered_; }

private:
    MYSQL* handle_;
    bool entered_ = false;
};

} // namespace

BlockingCallRunner SetBlockingCallRunner(BlockingCallRunner runner) {
    CallState& s = State();
    const std::lock_guard lock(s.mutex);
    return std::exchange(s.runner, std::move(runner));
}

namespace {

// Runs a runner's call, counted among the running calls until it returns or throws.
template <typename Call> BlockingCallOutcome RunCounted(Call&& call) {
    struct Counted {
        Counted() { ++State().running; }
        ~Counted() { --State().running; }
        Counted(const Counted&) = delete;
        Counted& operator=(const Counted&) = delete;
    } counted;
    return call();
}

// Runs work through the installed runner (inline without one); false when it was stopped, and the
// stop is then remembered for handle.
bool RunThroughRunner(MYSQL* handle, const std::function<void()>& work) {
    CallState& s = State();
    BlockingCallRunner runner;
    {
        const std::lock_guard lock(s.mutex);
        runner = s.runner;
    }
    if (!runner) {
        work();
        return true;
    }
    const BlockingCallOutcome outcome = RunCounted([&] { return runner(handle, work); });
    if (!outcome.stopped)
        return true;
    NoteCallStopped(handle, outcome.stoppedText);
    return false;
}

} // namespace

void NoteCallStopped(MYSQL* handle, std::string text) {
    CallState& s = State();
    const std::lock_guard lock(s.mutex);
    if (s.stopped.insert_or_assign(handle, std::move(text)).second)
        ++s.stoppedCount;
}

SideCallRunner SetSideCallRunner(SideCallRunner runner) {
    CallState& s = State();
    const std::lock_guard lock(s.mutex);
    return std::exchange(s.sideRunner, std::move(runner));
}

bool RunSideCall(const SideCall& call, std::string& stoppedText) {
    CallState& s = State();
    SideCallRunner runner;
    {
        const std::lock_guard lock(s.mutex);
        runner = s.sideRunner;
    }
    if (!runner) {
        call.work();
        return true;
    }
    // The count goes down when work ends, also on a thread the caller has left.
    SideCall counted = call;
    counted.work = [work = call.work] {
        struct Ended {
            ~Ended() { --sideWorks; }
        } ended;
        work();
    };
    ++sideWorks;
    BlockingCallOutcome outcome = RunCounted([&] { return runner(counted); });
    if (!outcome.stopped)
        return true;
    stoppedText = std::move(outcome.stoppedText);
    return false;
}

int SideCallsWorking() {
    return sideWorks.load();
}

bool RunBlockingCall(MYSQL* handle, const std::function<void()>& work) {
    if (!FinishHeldConnection(handle))
        return false;
    const BusyMark mark(handle);
    if (!mark.entered())
        return false;
    return RunThroughRunner(handle, work);
}

bool HoldConnection(MYSQL* handle, const StopTarget& target, std::function<void()> waitForEnd) {
    CallState& s = State();
    const std::lock_guard lock(s.mutex);
    if (!s.busy.insert(handle).second)
        return false;
    if (s.stopped.erase(handle))
        --s.stoppedCount;
    s.holds[handle] = {target, std::move(waitForEnd)};
    return true;
}

void ReleaseConnection(MYSQL* handle) {
    CallState& s = State();
    const std::lock_guard lock(s.mutex);
    if (s.holds.erase(handle))
        s.busy.erase(handle);
}

bool ConnectionHeld(MYSQL* handle) {
    CallState& s = State();
    const std::lock_guard lock(s.mutex);
    return s.holds.count(handle) != 0;
}

bool FinishHeldConnection(MYSQL* handle) {
    CallState& s = State();
    std::function<void()> waitForEnd;
    {
        const std::lock_guard lock(s.mutex);
        const auto it = s.holds.find(handle);
        if (it == s.holds.end())
            return true;
        waitForEnd = it->second.waitForEnd;
    }
    return RunThroughRunner(handle, waitForEnd);
}

bool RunBlockingWait(MYSQL* handle, const std::function<void()>& wait) {
    return RunThroughRunner(handle, wait);
}

bool BlockingCallRunning() {
    return State().running.load() > 0;
}

bool ConnectionBusy(MYSQL* handle) {
    CallState& s = State();
    const std::lock_guard lock(s.mutex);
    return s.busy.count(handle) != 0;
}

StopTarget StopTargetOf(MYSQL* handle) {
    StopTarget target;
    if (!handle)
        return target;
    {
        // The reader owns the connection record meanwhile: its target was taken before it began.
        CallState& s = State();
        const std::lock_guard lock(s.mutex);
        const auto it = s.holds.find(handle);
        if (it != s.holds.end())
            return it->second.target;
    }
    target.host = Text(handle->host);
    target.user = Text(handle->user);
    target.password = Text(handle->passwd);
    target.unixSocket = Text(handle->unix_socket);
    target.port = handle->port;
    const ClientApi& c = Client();
    target.threadId = c.mysql_thread_id ? c.mysql_thread_id(handle) : 0;
    return target;
}

bool StopStatement(const StopTarget& target) {
    const ClientApi& c = Client();
    if (target.threadId == 0 || !c.mysql_real_connect)
        return false;
    ClientHandle short_;
    MYSQL* h = short_.Init();
    if (!h)
        return false;
    if (c.mysql_options) {
        const unsigned seconds = kStopConnectSeconds;
        c.mysql_options(h, MYSQL_OPT_CONNECT_TIMEOUT, &seconds);
    }
    const char* socket = target.unixSocket.empty() ? nullptr : target.unixSocket.c_str();
    if (!c.mysql_real_connect(h, target.host.c_str(), target.user.c_str(), target.password.c_str(),
                              nullptr, target.port, socket, 0))
        return false;
    return RunAndDrain(h, "KILL QUERY " + std::to_string(target.threadId));
}

bool CallStopped(MYSQL* handle) {
    CallState& s = State();
    if (s.stoppedCount.load() == 0 || !handle)
        return false;
    const std::lock_guard lock(s.mutex);
    return s.stopped.count(handle) != 0;
}

std::string StoppedText(MYSQL* handle) {
    CallState& s = State();
    if (s.stoppedCount.load() == 0 || !handle)
        return {};
    const std::lock_guard lock(s.mutex);
    const auto it = s.stopped.find(handle);
    return it == s.stopped.end() ? std::string() : it->second;
}

void ForgetStoppedCall(MYSQL* handle) {
    CallState& s = State();
    if (s.stoppedCount.load() == 0)
        return;
    const std::lock_guard lock(s.mutex);
    if (s.stopped.erase(handle))
        --s.stoppedCount;
}
