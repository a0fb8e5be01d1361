// Owners of the client library's C handles, so that every way out releases them.
#pragma once

#include "data/client_library.h"

#include <memory>
#include <utility>

struct ClientResultDeleter {
    void operator()(MYSQL_RES* r) const {
        if (r && Client().mysql_free_result)
            Client().mysql_free_result(r);
    }
};

// A result set, released with mysql_free_result when the owner goes.
using ClientResult = std::unique_ptr<MYSQL_RES, ClientResultDeleter>;

// A connection record allocated by the client library. Init() prepares a fresh one (closing the
// previous) with the utf8mb4 character set; Close() and the destructor end it.
class ClientHandle {
public:
    ClientHandle() = default;
    ~ClientHandle() { Close(); }
    ClientHandle(const ClientHandle&) = delete;
    ClientHandle& operator=(const ClientHandle&) = delete;

    MYSQL* Init();
    void Close();
    MYSQL* get() const { return handle_; }
    // Exchanges the records of two owners.
    void Swap(ClientHandle& other) noexcept { std::swap(handle_, other.handle_); }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    MYSQL* handle_ = nullptr;
};
