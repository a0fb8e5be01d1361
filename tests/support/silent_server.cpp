#include "support/silent_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace {

constexpr unsigned short kServerPort = 3306;

} // namespace

SilentServer::SilentServer(std::chrono::milliseconds closeAfter) {
    // 127.0.99.x: apart from the test servers' addresses; the first one free is taken.
    for (int last = 1; last < 255 && host_.empty(); ++last) {
        const std::string host = "127.0.99." + std::to_string(last);
        SocketHandle s(::socket(AF_INET, SOCK_STREAM, 0));
        if (!s)
            break;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(kServerPort);
        ::inet_pton(AF_INET, host.c_str(), &address.sin_addr);
        if (::bind(s.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(s.get(), 8) != 0)
            continue;
        listener_ = std::move(s);
        host_ = host;
    }
    closer_ = std::thread([this, closeAfter] {
        std::unique_lock lock(mutex_);
        if (!closing_.wait_for(lock, closeAfter, [this] { return closed_; })) {
            closed_ = true;
            listener_.Reset();
        }
    });
}

SilentServer::~SilentServer() {
    Close();
    closer_.join();
}

void SilentServer::Close() {
    {
        const std::lock_guard lock(mutex_);
        if (!closed_) {
            closed_ = true;
            listener_.Reset();
        }
    }
    closing_.notify_all();
}
