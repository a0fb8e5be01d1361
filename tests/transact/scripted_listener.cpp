#include "scripted_listener.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>

namespace {

constexpr auto kPacketPause = std::chrono::milliseconds(300);

SocketHandle ListenOnLoopback(std::uint16_t& port, int backlog) {
    SocketHandle s(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(s.get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(s.get(), backlog) != 0) {
        ADD_FAILURE() << "cannot listen on the loopback address";
        return s;
    }
    socklen_t size = sizeof a;
    ::getsockname(s.get(), reinterpret_cast<sockaddr*>(&a), &size);
    port = ntohs(a.sin_port);
    return s;
}

} // namespace

ScriptedListener::ScriptedListener(std::vector<Step> script, std::chrono::milliseconds wait)
    : wait_(wait) {
    listener_ = ListenOnLoopback(port_, 4);
    player_ = std::thread([this, s = std::move(script)]() mutable { Play(std::move(s)); });
}

SilentListener::SilentListener() {
    listener_ = ListenOnLoopback(port_, 1);
}

ScriptedListener::~ScriptedListener() {
    Finish();
}

void ScriptedListener::Finish() {
    if (player_.joinable())
        player_.join();
}

bool ScriptedListener::ReadOneLine(int fd, std::string& pending) {
    const auto deadline = std::chrono::steady_clock::now() + wait_;
    for (;;) {
        if (const auto end = pending.find('\n'); end != std::string::npos) {
            lines_.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buf[4096];
        const ssize_t got = ::recv(fd, buf, sizeof buf, 0);
        if (got <= 0) {
            clientClosed_ = true;
            if (!pending.empty())
                lines_.push_back(pending);
            pending.clear();
            return false;
        }
        pending.append(buf, static_cast<std::size_t>(got));
    }
}

void ScriptedListener::Play(std::vector<Step> script) {
    pollfd p{listener_.get(), POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(wait_.count())) <= 0)
        return;
    SocketHandle client(::accept(listener_.get(), nullptr, nullptr));
    accepted_ = static_cast<bool>(client);
    const int on = 1;
    ::setsockopt(client.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::string pending;
    for (const Step& step : script) {
        if (step.kind == Step::Send)
            ::send(client.get(), step.text.data(), step.text.size(), MSG_NOSIGNAL);
        else if (step.kind == Step::Close)
            return;
        else if (step.kind == Step::Pause)
            std::this_thread::sleep_for(kPacketPause);
        else if (!ReadOneLine(client.get(), pending))
            return;
    }
    while (ReadOneLine(client.get(), pending)) {
    }
}
