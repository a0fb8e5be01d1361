// What kind of server a connection talks to, as far as writing and availability go: a server that
// refuses writes or copies another one (a read-only replica), a cluster node that has left the
// primary component, and which client errors mean the connection itself was lost.
#pragma once

#include <mysql.h>

#include <string>

// The server's own account of itself, read over a connected handle.
struct ServerRole {
    bool readOnly = false; // @@read_only is set
    bool replica = false;  // SHOW REPLICA STATUS (or SHOW SLAVE STATUS) answers a row
    bool RefusesOrCopiesWrites() const { return readOnly || replica; }
};

// Reads the role with a few statements on the handle (which must have no pending result). A
// statement the server refuses (a user without the privilege to see replica status) counts as
// "no".
ServerRole ReadServerRole(MYSQL* handle);

enum class ClusterReadiness {
    NotClustered, // no cluster replication on this server
    Ready,        // a node of the primary component that accepts queries
    NotReady,     // a node cut off from the primary component: it refuses queries
};
ClusterReadiness ReadClusterReadiness(MYSQL* handle);

// True for the client errors that say the connection to the server was lost or dropped (the
// server went away, the connection broke during a query): the statement may not have reached the
// server, or may have run without its answer arriving.
bool IsConnectionLost(unsigned errorNumber);
// IsConnectionLost for the last error of a handle (false for none).
bool ConnectionLost(MYSQL* handle);

// True for a server text that says the open transaction was (or must be) rolled back: a deadlock
// (1213, also a cluster node's certification conflict), a lock wait that timed out (1205).
bool EndsOpenTransaction(const std::string& serverText);
