#include "data/inet_socket.h"

#include "data/winsock_error.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace {

void SetNonBlocking(int fd, bool on) {
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0)
        CheckLastSocketError();
    if (::fcntl(fd, F_SETFL, on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK)) < 0)
        CheckLastSocketError();
}

} // namespace

void TInetSocket::Create() {
    handle_.Reset(::socket(AF_INET, SOCK_STREAM, 0));
    if (!handle_)
        CheckLastSocketError();
}

void TInetSocket::WaitFor(short events) {
    const auto deadline = std::chrono::steady_clock::now() + Timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{handle_.get(), events, 0};
        const int rc = ::poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (rc > 0)
            return;
        if (rc == 0)
            CheckSocketError(ETIMEDOUT);
        else if (errno != EINTR)
            CheckLastSocketError();
        if (std::chrono::steady_clock::now() >= deadline)
            CheckSocketError(ETIMEDOUT);
    }
}

void TInetSocket::Connect(const std::string& host, std::uint16_t port) {
    Remote = TURL(host, "/", port);
    if (!handle_)
        Create();
    try {
        ConnectCreated();
    } catch (...) {
        handle_.Close(); // a failed connect leaves no socket open
        throw;
    }
}

void TInetSocket::ConnectCreated() {
    sockaddr_in address;
    Remote.FillAddress(address);
    LastConnectResult = -1;
    // The connect runs without blocking so that it can be given up after the time-out.
    SetNonBlocking(handle_.get(), true);
    if (::connect(handle_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) !=
        0) {
        if (errno != EINPROGRESS && errno != EINTR)
            CheckLastSocketError();
        WaitFor(POLLOUT);
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(handle_.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0)
            CheckLastSocketError();
        CheckSocketError(error);
    }
    SetNonBlocking(handle_.get(), false);
    LastConnectResult = 0;
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::getsockname(handle_.get(), reinterpret_cast<sockaddr*>(&local), &size) == 0) {
        Local.Port = ntohs(local.sin_port);
        Local.Address = local.sin_addr.s_addr;
    }
}

void TInetSocket::Send(std::string_view data) {
    if (!handle_)
        CheckSocketError(ENOTCONN);
    while (!data.empty()) {
        WaitFor(POLLOUT);
        // MSG_NOSIGNAL: a peer that has gone away is an error to report, not a signal that ends
        // the program.
        const ssize_t sent = ::send(handle_.get(), data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno != EINTR)
                CheckLastSocketError();
            continue;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
}

std::string TInetSocket::Receive(std::size_t maxBytes) {
    if (!handle_)
        CheckSocketError(ENOTCONN);
    std::string data(maxBytes, '\0');
    if (maxBytes == 0)
        return data;
    for (;;) {
        WaitFor(POLLIN);
        const ssize_t got = ::recv(handle_.get(), data.data(), maxBytes, 0);
        if (got >= 0) {
            data.resize(static_cast<std::size_t>(got));
            return data;
        }
        if (errno != EINTR)
            CheckLastSocketError();
    }
}
