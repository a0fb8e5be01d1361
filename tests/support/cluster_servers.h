// Replicated and clustered test servers, started by scripts/testserver.sh on further loopback
// addresses: a primary with a read-only replica, and a two-node Galera cluster.
#pragma once

#include "support/test_server.h"

#include <string>

namespace testserver {

inline const char* const kReplicaHost = InstanceHost(21);
inline const char* const kPrimaryHost = InstanceHost(22);
inline const char* const kGaleraFirstHost = InstanceHost(22);
inline const char* const kGaleraSecondHost = InstanceHost(23);

// Starts (or finds running) the replica of the primary; empty when it runs, else why not.
std::string StartReplica();
// Starts (or finds running) the two-node cluster; empty when it runs, else why not (a test skips
// with that text).
std::string StartGalera();
// Cuts a cluster node off from the other (isolated true) or lets it rejoin; true when both nodes
// are back in the primary component after rejoining.
bool IsolateGaleraNode(const std::string& host, bool isolated);

} // namespace testserver
