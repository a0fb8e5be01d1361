#include "support/cluster_servers.h"

#include "support/test_server.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace testserver {
namespace {

// Runs the script; empty when it succeeded, else its output (or a word on what was missing).
std::string RunScriptOutput(const std::string& arguments) {
    const std::string command =
        "bash '" KESTREL_SOURCE_DIR "/scripts/testserver.sh' " + arguments + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return "could not run scripts/testserver.sh";
    std::string output;
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr)
        output += buffer.data();
    const int status = pclose(pipe.release());
    if (status == 0)
        return {};
    return output.empty() ? "scripts/testserver.sh " + arguments + " failed" : output;
}

} // namespace

std::string StartReplica() {
    return RunScriptOutput("replica " + std::to_string(TestInstance(21)) + " " +
                           std::to_string(TestInstance(22)));
}

std::string StartGalera() {
    const std::string why = RunScriptOutput("galera " + std::to_string(TestInstance(22)) + " " +
                                            std::to_string(TestInstance(23)));
    return why.empty() ? why : "the Galera cluster cannot start here: " + why;
}

bool IsolateGaleraNode(const std::string& host, bool isolated) {
    RootConnection node(host);
    node.Exec(std::string("SET GLOBAL wsrep_provider_options = 'gmcast.isolate=") +
              (isolated ? "1'" : "0'"));
    if (isolated) {
        for (int i = 0; i < 300; ++i) {
            const auto status = node.Rows("SHOW GLOBAL STATUS LIKE 'wsrep_cluster_status'");
            if (status.empty() || status[0].at(1) != "Primary")
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    // Both nodes saw the other leave and neither holds a majority: the first node forms the
    // primary component again and the other joins it. The joined node is ready only once it has
    // caught up, which the first node's view of the cluster does not say.
    RootConnection first(kGaleraFirstHost);
    const auto statusOf = [](RootConnection& c, const char* name) {
        const auto rows = c.Rows(std::string("SHOW GLOBAL STATUS LIKE '") + name + "'");
        return rows.empty() ? std::string() : rows[0].at(1);
    };
    for (int i = 0; i < 300; ++i) {
        const auto status = statusOf(first, "wsrep_cluster_status");
        if (statusOf(first, "wsrep_cluster_size") == "2" && status == "Primary" &&
            statusOf(node, "wsrep_cluster_status") == "Primary" &&
            statusOf(node, "wsrep_ready") == "ON")
            return true;
        if (i == 50 && status != "Primary")
            first.Exec("SET GLOBAL wsrep_provider_options = 'pc.bootstrap=YES'");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

} // namespace testserver
