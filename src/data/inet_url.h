// TURL: a host name resolved to an IPv4 address, with a port and a path.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <string>

class TURL {
public:
    // The size of the socket address FillAddress() writes.
    static constexpr std::size_t kAddressSize = sizeof(sockaddr_in);
    static_assert(kAddressSize == 16);

    TURL() = default;
    // Resolves host at once; raises EWinsockError when the resolver knows no IPv4 address for it.
    TURL(const std::string& host, const std::string& path, std::uint16_t port);

    std::string Host;
    std::string Path = "/";
    std::uint16_t Port = 0;
    std::uint32_t Address = 0; // in network byte order

    // Looks Host up and keeps the first IPv4 address of the answer; a dotted address is accepted
    // as it is.
    void Resolve();
    // Family AF_INET, the port in network byte order and the address.
    void FillAddress(sockaddr_in& address) const;
};
