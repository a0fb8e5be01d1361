#include "support/test_server.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace testserver {

const char* HostFromEnvironment() {
    const char* host = std::getenv("KESTREL_TEST_HOST");
    return host && *host ? host : "127.0.0.1";
}

unsigned PortFromEnvironment() {
    const char* port = std::getenv("KESTREL_TEST_PORT");
    return port && *port ? static_cast<unsigned>(std::strtoul(port, nullptr, 10)) : 3306;
}

int TestInstance(int n) {
    static const int offset = [] {
        const char* text = std::getenv("KESTREL_TEST_INSTANCE_OFFSET");
        return text && *text ? std::atoi(text) : 0;
    }();
    const int instance = n + offset;
    if (instance < 2 || instance > 99)
        throw std::out_of_range("KESTREL_TEST_INSTANCE_OFFSET moves instance " + std::to_string(n) +
                                " to " + std::to_string(instance) + ", outside 2 to 99");
    return instance;
}

const char* InstanceHost(int n) {
    static std::array<std::string, 100> hosts;
    std::string& host = hosts.at(static_cast<std::size_t>(n));
    if (host.empty())
        host = "127.0.0." + std::to_string(TestInstance(n));
    return host.c_str();
}

void EnsureClientLibrary() {
    if (!ClientLibraryLoaded()) {
        std::string missing;
        LoadClientLibrary([&](const std::string& text) { missing = text; });
        // Called from constructors: a test cannot go on without the library, so it ends here.
        if (!ClientLibraryLoaded())
            throw std::runtime_error("client library not loaded: " + missing);
    }
}

RootConnection::RootConnection(const std::string& host) {
    EnsureClientLibrary();
    MYSQL* h = handle_.Init();
    if (!Client().mysql_real_connect(h, host.c_str(), kRootUser, kRootPassword, nullptr, kPort,
                                     nullptr, 0))
        ADD_FAILURE() << "the test server on " << host
                      << " does not answer (scripts/testserver.sh start): " << ClientErrorText(h);
}

bool RootConnection::Exec(const std::string& sql) {
    if (Client().mysql_real_query(handle_.get(), sql.data(),
                                  static_cast<unsigned long>(sql.size())) != 0) {
        ADD_FAILURE() << sql << ": " << ClientErrorText(handle_.get());
        return false;
    }
    // Statements that answer rows are drained so the connection stays usable.
    ClientResult r(Client().mysql_store_result(handle_.get()));
    return true;
}

std::vector<std::vector<std::string>> RootConnection::Rows(const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    if (Client().mysql_real_query(handle_.get(), sql.data(),
                                  static_cast<unsigned long>(sql.size())) != 0) {
        ADD_FAILURE() << sql << ": " << ClientErrorText(handle_.get());
        return rows;
    }
    ClientResult r(Client().mysql_store_result(handle_.get()));
    if (!r)
        return rows;
    const unsigned n = Client().mysql_num_fields(r.get());
    while (MYSQL_ROW row = Client().mysql_fetch_row(r.get())) {
        std::vector<std::string>& out = rows.emplace_back();
        for (unsigned i = 0; i < n; ++i)
            out.emplace_back(row[i] ? row[i] : "");
    }
    return rows;
}

std::string RootConnection::Value(const std::string& sql) {
    auto rows = Rows(sql);
    return rows.empty() || rows.front().empty() ? std::string() : rows.front().front();
}

bool ThreadListed(RootConnection& root, unsigned long id) {
    for (const auto& row : root.Rows("SHOW PROCESSLIST"))
        if (!row.empty() && row[0] == std::to_string(id))
            return true;
    return false;
}

bool RunScript(const std::string& arguments) {
    const std::string command =
        "bash '" KESTREL_SOURCE_DIR "/scripts/testserver.sh' " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace testserver
