#include "data/inet_url.h"

#include "data/winsock_error.h"

#include <netdb.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <memory>

TURL::TURL(const std::string& host, const std::string& path, std::uint16_t port)
    : Host(host), Path(path), Port(port) {
    Resolve();
}

void TURL::Resolve() {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(Host.c_str(), nullptr, &hints, &found);
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
    if (rc == EAI_SYSTEM)
        CheckLastSocketError();
    if (rc != 0 || !found)
        throw EWinsockError(SocketErrorText(::gai_strerror(rc), rc), rc);
    sockaddr_in first{};
    std::memcpy(&first, found->ai_addr, sizeof first);
    Address = first.sin_addr.s_addr;
}

void TURL::FillAddress(sockaddr_in& address) const {
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons(Port);
    address.sin_addr.s_addr = Address;
}
