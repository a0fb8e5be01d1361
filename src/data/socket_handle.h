// Owner of one operating-system socket: every way out closes it.
#pragma once

#include <sys/socket.h>
#include <unistd.h>

class SocketHandle {
public:
    SocketHandle() = default;
    explicit SocketHandle(int fd) : fd_(fd) {}
    ~SocketHandle() { Close(); }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    SocketHandle(SocketHandle&& other) noexcept : fd_(other.Release()) {}
    SocketHandle& operator=(SocketHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Reset(int fd = -1) {
        Close();
        fd_ = fd;
    }
    // Shuts both directions down, then closes; failures while closing are of no interest.
    void Close() {
        if (fd_ >= 0) {
            ::shutdown(fd_, SHUT_RDWR);
            ::close(fd_);
        }
        fd_ = -1;
    }

private:
    int fd_ = -1;
};
