#include "client_threads.h"

#include "client_session.h"
#include "data/socket_handle.h"
#include "server_io.h"

#include <exception>
#include <thread>

namespace {

// Gives the slot of a client back when its thread ends, however it ends.
class SlotRelease {
public:
    explicit SlotRelease(std::atomic<int>& active) : active_(&active) {}
    ~SlotRelease() {
        if (active_)
            active_->fetch_sub(1);
    }
    SlotRelease(SlotRelease&& other) noexcept : active_(other.active_) { other.active_ = nullptr; }
    SlotRelease(const SlotRelease&) = delete;
    SlotRelease& operator=(const SlotRelease&) = delete;
    SlotRelease& operator=(SlotRelease&&) = delete;

private:
    std::atomic<int>* active_;
};

} // namespace

void ClientThreads::Refuse(int fd, const std::string& peer, const std::string& why) {
    SocketHandle socket(fd);
    SendAll(fd, "Refused: " + why + "\n");
    Log(peer, "refused: " + why);
}

void ClientThreads::Start(int fd, const std::string& peer) {
    if (active_.fetch_add(1) >= static_cast<int>(options_.MaxClients)) {
        active_.fetch_sub(1);
        return Refuse(fd, peer,
                      "the transact-server serves " + std::to_string(options_.MaxClients) +
                          " clients already");
    }
    // The socket stays the caller's until the thread runs, so a failed start can still answer.
    try {
        SlotRelease slot(active_);
        std::thread([fd, &options = options_, peer, slot = std::move(slot)] {
            try {
                ServeClient(SocketHandle(fd), options, peer);
            } catch (const std::exception& e) {
                Log(peer, std::string("dropped: ") + e.what());
            }
        }).detach();
    } catch (const std::exception& e) {
        // The slot was given back when the thread's function was destroyed unstarted.
        Refuse(fd, peer,
               std::string("the transact-server cannot start a client now (") + e.what() + ")");
    }
}
