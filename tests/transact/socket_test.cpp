// The socket layer against real loopback sockets: name resolution, refused connections and
// time-outs of a server that never answers.
#include "data/inet_socket.h"
#include "data/winsock_error.h"
#include "scripted_listener.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

// A loopback port on which nothing listens: taken from the system, then given back.
std::uint16_t ClosedPort() {
    SocketHandle s(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t size = sizeof a;
    ::getsockname(s.get(), reinterpret_cast<sockaddr*>(&a), &size);
    return ntohs(a.sin_port);
}

TEST(InetSocket, ResolvesNamesAndDottedAddressesIntoSocketAddresses) {
    const TURL byName("localhost", "/", 19700);
    EXPECT_EQ(byName.Address, htonl(INADDR_LOOPBACK));
    const TURL dotted("127.0.0.3", "/x", 1234);
    EXPECT_EQ(dotted.Address, htonl(0x7f000003));
    EXPECT_EQ(dotted.Path, "/x");
    sockaddr_in a;
    dotted.FillAddress(a);
    EXPECT_EQ(a.sin_family, AF_INET);
    EXPECT_EQ(a.sin_port, htons(1234));
    EXPECT_EQ(a.sin_addr.s_addr, htonl(0x7f000003));
}

TEST(InetSocket, RefusedConnectRaisesTheSystemMessageAndCodeAndLeavesNoSocket) {
    TInetClientSocket s;
    try {
        s.Connect("127.0.0.1", ClosedPort());
        FAIL() << "connected although nothing listens";
    } catch (const EWinsockError& e) {
        EXPECT_EQ(e.Code(), ECONNREFUSED);
        EXPECT_EQ(std::string(e.what()), std::string("Winsocket error: ") +
                                             std::strerror(ECONNREFUSED) + " No " +
                                             std::to_string(ECONNREFUSED) + ".");
    }
    EXPECT_FALSE(s.IsOpen());
    EXPECT_EQ(s.LastConnectResult, -1);
}

TEST(InetSocket, ReceiveFromAServerThatNeverAnswersTimesOut) {
    SilentListener silent;
    TInetClientSocket s;
    s.Timeout = std::chrono::milliseconds(300);
    s.Connect("127.0.0.1", silent.Port());
    EXPECT_EQ(s.LastConnectResult, 0);
    EXPECT_EQ(s.Local.Address, htonl(INADDR_LOOPBACK));
    try {
        s.Receive(100);
        FAIL() << "a receive without an answer returned";
    } catch (const EWinsockError& e) {
        EXPECT_EQ(e.Code(), ETIMEDOUT);
        EXPECT_NE(std::string(e.what()).find(std::strerror(ETIMEDOUT)), std::string::npos);
    }
}

TEST(InetSocket, ConnectToAServerWhoseQueueIsFullTimesOut) {
    // The silent listener accepts nobody: once its queue is full, further connects get no answer.
    SilentListener silent;
    std::vector<std::unique_ptr<TInetClientSocket>> queued;
    int timedOut = 0;
    for (int i = 0; i < 8 && timedOut == 0; ++i) {
        auto s = std::make_unique<TInetClientSocket>();
        s->Timeout = std::chrono::milliseconds(300);
        try {
            s->Connect("127.0.0.1", silent.Port());
            queued.push_back(std::move(s));
        } catch (const EWinsockError& e) {
            EXPECT_EQ(e.Code(), ETIMEDOUT) << e.what();
            EXPECT_FALSE(s->IsOpen());
            ++timedOut;
        }
    }
    EXPECT_EQ(timedOut, 1);
}

} // namespace
