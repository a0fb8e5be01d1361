// A server that never answers: a listening socket on the server port of a loopback address of its
// own that never accepts. A client's connect completes through the system's queue and then waits
// for a greeting that never comes. Closing the listener (Close, or by itself after a while, so
// that a client that cannot be stopped does not wait for ever) resets the queued connections, and
// their waits end with an error.
#pragma once

#include "data/socket_handle.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class SilentServer {
public:
    explicit SilentServer(std::chrono::milliseconds closeAfter = std::chrono::seconds(8));
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    // The loopback address it listens on (port 3306); empty when none was free.
    const std::string& Host() const { return host_; }
    void Close();

private:
    std::string host_;
    SocketHandle listener_;
    std::mutex mutex_;
    std::condition_variable closing_;
    bool closed_ = false;
    std::thread closer_;
};
