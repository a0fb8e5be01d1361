// The real transact-server, started for a test on a free loopback port and stopped afterwards.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

class TransactServerProcess {
public:
    // Starts the server with --port 0 on 127.0.0.1 against the test MySQL server, plus extra
    // options; fails the test when it does not report its port. With logFile its log (standard
    // error) goes to that file.
    explicit TransactServerProcess(const std::vector<std::string>& extra = {},
                                   const std::string& logFile = {});
    ~TransactServerProcess();
    TransactServerProcess(const TransactServerProcess&) = delete;
    TransactServerProcess& operator=(const TransactServerProcess&) = delete;

    std::uint16_t Port() const { return port_; }
    pid_t Pid() const { return pid_; }
    std::string PortText() const { return std::to_string(port_); }
    // True while the process has not ended.
    bool Running();

private:
    pid_t pid_ = -1;
    std::uint16_t port_ = 0;
};
