// The command line of the transact-server.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ServerOptions {
    std::uint16_t Port = 19700; // 0: any free port (the port taken is printed at start)
    std::string Listen = "127.0.0.1";
    std::string MySQLHost = "127.0.0.1";
    std::uint16_t MySQLPort = 3306;
    std::size_t MaxLine = 1 << 20; // longest command line accepted, without its line feed
    // Clients served at once; one more is refused. Each holds a MySQL connection, so the default
    // stays below the MySQL server's usual connection limit.
    unsigned MaxClients = 100;
    // Seconds a client has from its connect to the end of its login before it is dropped.
    unsigned LoginTimeout = 30;
    bool Help = false;
};

inline constexpr std::size_t kMinMaxLine = 64;
inline constexpr std::size_t kMaxMaxLine = std::size_t{1} << 30;
inline constexpr unsigned kMaxMaxClients = 10000;
inline constexpr unsigned kMaxLoginTimeout = 3600;

// The options of args (without the program name); nullopt with error set when one is wrong.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args,
                                                std::string& error);

std::string ServerUsage();
