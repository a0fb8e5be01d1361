// The socket layer against a real loopback listener: the time-out of a connect nobody accepts.
#include "data/inet_socket.h"
#include "data/winsock_error.h"
#include "scripted_listener.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

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
