// The throwaway test server started by scripts/testserver.sh, and small helpers to talk to it
// through the run-time bound client library.
#pragma once

#include "data/client_handles.h"

#include <string>
#include <vector>

namespace testserver {

// The test server's address and port: KESTREL_TEST_HOST and KESTREL_TEST_PORT when set, else
// 127.0.0.1 and 3306 (so the suite can run beside another local server).
const char* HostFromEnvironment();
unsigned PortFromEnvironment();
inline const char* const kHost = HostFromEnvironment();
inline const unsigned kPort = PortFromEnvironment();

// The further instances some tests start themselves (2: a server to shut down, 3: the older
// privilege tables, 4: the ANSI sql_mode, 21 to 23: replica and cluster).
// KESTREL_TEST_INSTANCE_OFFSET moves every one of them up by that many, so that test runs side by
// side on one machine each use their own (offset 50: instances 52, 53, 54 and 71 to 73). Throws for
// an offset that leaves the script's instance numbers (up to 99).
int TestInstance(int n);
// "127.0.0.<TestInstance(n)>", kept for the whole run.
const char* InstanceHost(int n);
inline const char* const kSecondHost = InstanceHost(2);
inline constexpr const char* kRootUser = "root";
inline constexpr const char* kRootPassword = "kestrel";
inline constexpr const char* kPlainUser = "plain";
inline constexpr const char* kPlainPassword = "plain";

// Loads the client library once for the test process (fails the test when it cannot).
void EnsureClientLibrary();

// A root connection to the test server; fails the test when the server does not answer.
class RootConnection {
public:
    explicit RootConnection(const std::string& host = kHost);
    // Runs a statement; fails the test (and answers false) when the server refuses it.
    bool Exec(const std::string& sql);
    // The rows of a query, each row its column texts (NULL as empty text).
    std::vector<std::vector<std::string>> Rows(const std::string& sql);
    // The first column of the first row, empty when there is none.
    std::string Value(const std::string& sql);
    MYSQL* get() const { return handle_.get(); }

private:
    ClientHandle handle_;
};

// True when the server's process list holds the connection id.
bool ThreadListed(RootConnection& root, unsigned long id);

// Runs scripts/testserver.sh with the given arguments (e.g. "start 2"); true when it succeeded.
bool RunScript(const std::string& arguments);

} // namespace testserver
