// transact-server: runs the statements of transact-server clients on a MySQL server.
#include "client_threads.h"
#include "data/client_handles.h"
#include "data/client_library.h"
#include "data/socket_handle.h"
#include "server_options.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <thread>

namespace {

int Fail(const std::string& text) {
    std::cerr << "transact-server: " << text << std::endl;
    return 1;
}

std::string PeerName(const sockaddr_in& a) {
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(a.sin_port));
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "transact-server: " << error << "\n\n" << ServerUsage();
        return 2;
    }
    if (options->Help) {
        std::cout << ServerUsage();
        return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);

    std::string missing;
    if (!LoadClientLibrary([&](const std::string& text) { missing = text; }) &&
        !ClientLibraryLoaded())
        return Fail(missing);
    {
        // The library sets itself up on its first handle; do that before any client thread.
        ClientHandle warmUp;
        warmUp.Init();
    }

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(options->Port);
    if (::inet_pton(AF_INET, options->Listen.c_str(), &address.sin_addr) != 1)
        return Fail("--listen needs an IPv4 address, not " + options->Listen);
    SocketHandle listener(::socket(AF_INET, SOCK_STREAM, 0));
    if (!listener)
        return Fail(std::string("socket: ") + std::strerror(errno));
    const int on = 1;
    ::setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return Fail("cannot listen on " + options->Listen + ":" + std::to_string(options->Port) +
                    ": " + std::strerror(errno));
    if (::listen(listener.get(), 16) != 0)
        return Fail(std::string("listen: ") + std::strerror(errno));
    socklen_t size = sizeof address;
    ::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &size);
    std::cout << "transact-server listening on " << PeerName(address) << std::endl;

    // One thread per client; the server runs until it is stopped.
    ClientThreads clients(*options);
    for (;;) {
        sockaddr_in peer{};
        socklen_t peerSize = sizeof peer;
        const int fd = ::accept(listener.get(), reinterpret_cast<sockaddr*>(&peer), &peerSize);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            std::cerr << "transact-server: accept: " << std::strerror(errno) << std::endl;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            continue;
        }
        ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
        clients.Start(fd, PeerName(peer));
    }
}
