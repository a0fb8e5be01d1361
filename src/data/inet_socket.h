// TInetSocket: a blocking IPv4 TCP client socket. Every connect, send and receive waits at most
// Timeout for the other side; a socket failure or a time-out raises EWinsockError.
#pragma once

#include "data/inet_url.h"
#include "data/socket_handle.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

// How long a connect, send or receive waits for the other side before it gives up.
inline constexpr std::chrono::milliseconds kSocketTimeout = std::chrono::seconds(30);

class TInetSocket {
public:
    TInetSocket() = default;
    virtual ~TInetSocket() { Close(); }
    TInetSocket(const TInetSocket&) = delete;
    TInetSocket& operator=(const TInetSocket&) = delete;

    TURL Local;
    TURL Remote;
    int LastConnectResult = 0; // 0 after a successful connect, -1 after a failed one
    std::chrono::milliseconds Timeout = kSocketTimeout;

    // Creates an IPv4 stream socket (closing one held before).
    void Create();
    // Resolves host and connects to it (creating the socket when there is none). A failed connect
    // closes the socket.
    void Connect(const std::string& host, std::uint16_t port);
    // Sends every byte of data.
    void Send(std::string_view data);
    // Receives what has arrived, at least one byte and at most maxBytes; an empty text means the
    // other side closed the connection.
    std::string Receive(std::size_t maxBytes);
    // Shuts both directions down and closes; failures while closing are ignored.
    void Close() { handle_.Close(); }

    bool IsOpen() const { return static_cast<bool>(handle_); }
    int Handle() const { return handle_.get(); }

private:
    void ConnectCreated();
    // Waits until the socket is ready for events; raises the time-out error when it is not.
    void WaitFor(short events);

    SocketHandle handle_;
};

class TInetClientSocket : public TInetSocket {};
