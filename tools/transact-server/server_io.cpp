#include "server_io.h"

#include <sys/socket.h>

#include <cerrno>
#include <iostream>
#include <mutex>

namespace {

std::mutex logMutex;

} // namespace

bool HoldsControlCharacter(std::string_view text) {
    for (const char ch : text)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f)
            return true;
    return false;
}

std::string Printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7f || ch == '\\') {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

bool SendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void Log(const std::string& peer, const std::string& text) {
    std::lock_guard<std::mutex> lock(logMutex);
    std::cerr << "transact-server: " << Printable(peer) << ": " << Printable(text) << std::endl;
}
