// Starts one thread per accepted client, up to the number of clients the server serves at once.
#pragma once

#include "server_options.h"

#include <atomic>
#include <string>

class ClientThreads {
public:
    explicit ClientThreads(const ServerOptions& options) : options_(options) {}
    ClientThreads(const ClientThreads&) = delete;
    ClientThreads& operator=(const ClientThreads&) = delete;

    // Serves the client on fd in a thread of its own, which takes the socket. A client beyond
    // the limit, or one whose thread cannot start (threads or memory run short), is told so and
    // closed; the server and the clients it already serves go on.
    void Start(int fd, const std::string& peer);

    int Active() const { return active_.load(); }

private:
    void Refuse(int fd, const std::string& peer, const std::string& why);

    const ServerOptions& options_;
    std::atomic<int> active_{0};
};
