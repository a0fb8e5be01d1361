// Calls into the client library that wait for the server (a statement with its results, a server
// command) go through one replaceable runner, so that a window can keep painting while the server
// works and can stop the statement. Without a runner each call runs inline on the caller's thread.
//
// A connection is used by one thread at a time: while a call runs on a connection, a second call
// on it (from events processed while the first one waits) is refused, not run beside it.
#pragma once

#include "data/client_library.h"

#include <functional>
#include <string>

// Where a running statement can be stopped: its server, the account it logged in with and the
// connection's thread on the server.
struct StopTarget {
    std::string host;
    std::string user;
    std::string password;
    std::string unixSocket;
    unsigned port = 0;
    unsigned long threadId = 0;
};

// How a call through the runner ended: by itself, or stopped by the operator; stoppedText is the
// message that then stands for the connection's error, in the operator's language.
struct BlockingCallOutcome {
    bool stopped = false;
    std::string stoppedText;
};

// Runs work exactly once, on whatever thread it likes, and returns once work has ended. handle is
// the connection work uses; it is busy until the runner returns.
using BlockingCallRunner =
    std::function<BlockingCallOutcome(MYSQL* handle, const std::function<void()>& work)>;

// Installs the runner (an empty one runs every call inline) and answers the previous one.
BlockingCallRunner SetBlockingCallRunner(BlockingCallRunner runner);

// Runs work, which uses handle, through the runner. False when the operator stopped it, or when
// handle was busy with another call (work then did not run): the caller treats it as failed.
bool RunBlockingCall(MYSQL* handle, const std::function<void()>& work);

// A call that is not a statement on a connection, so KILL QUERY cannot stop it.
struct SideCall {
    enum class Kind {
        // A connect: the server has no thread for it yet. Stop leaves it: the caller returns at
        // once and work ends by itself on its own thread, so it must own everything it touches
        // (it is copied, with shared owners of its state).
        Connect,
        // The login to the transact-server: stop closes its socket, which ends work at once.
        TransactConnect,
        // A command to the transact-server: stop closes its socket, which ends work at once; what
        // became of the command on the other side is not known.
        TransactCommand,
    };
    Kind kind = Kind::Connect;
    std::function<void()> work;
    // For the transact-server's calls: ends work from another thread (shuts its socket down).
    std::function<void()> stop;
};
using SideCallRunner = std::function<BlockingCallOutcome(const SideCall& call)>;

// Installs the runner of side calls (an empty one runs them inline) and answers the previous one.
SideCallRunner SetSideCallRunner(SideCallRunner runner);

// Runs call.work through the side-call runner. False when the operator stopped it; stoppedText
// then says so in the operator's language. work must not raise: it keeps its own failure.
bool RunSideCall(const SideCall& call, std::string& stoppedText);

// Side calls whose work has not ended yet: outside a running call, the connects the operator left.
int SideCallsWorking();

// True while some call runs through the runner: work that would reach a connection from a nested
// event (a view reading more rows) waits for a later turn.
bool BlockingCallRunning();
bool ConnectionBusy(MYSQL* handle);

// A reader that streams the rows of a result beside the window holds the connection until it has
// read the last row: a call on a held connection first waits, through the runner, until the reader
// lets it go (Stop there stops the reader's statement, and the call then does not run).
// waitForEnd may run on any thread and returns once the reader has let the connection go; target
// is where the reader's statement is stopped. False when the connection is busy already.
bool HoldConnection(MYSQL* handle, const StopTarget& target, std::function<void()> waitForEnd);
// Lets a held connection go; the reader calls it on its own thread as it ends.
void ReleaseConnection(MYSQL* handle);
bool ConnectionHeld(MYSQL* handle);
// Runs wait, which waits for something another thread does on handle (it does not touch handle
// itself), through the runner, with handle's stop target. False when the operator stopped it.
bool RunBlockingWait(MYSQL* handle, const std::function<void()>& wait);
// Waits through the runner until no reader holds the connection (at once when none does). False
// when the operator stopped the reader meanwhile.
bool FinishHeldConnection(MYSQL* handle);

// The stop target of a connection, read on the caller's thread before its call starts (for a held
// connection, the one its reader gave).
StopTarget StopTargetOf(MYSQL* handle);
// Sends KILL QUERY for the target's thread on a separate short connection to its server with its
// account. True when the server accepted it.
bool StopStatement(const StopTarget& target);

// The error number a stopped call leaves on its connection (the server's "query interrupted").
inline constexpr unsigned kStoppedErrorNumber = 1317;

// Whether the last call on handle was stopped, and the text that says so. The state holds until the
// next call on handle, or until it is closed.
bool CallStopped(MYSQL* handle);
std::string StoppedText(MYSQL* handle);
// Marks the last call on handle as stopped with text (a connect the operator left, on the record
// that stands for it).
void NoteCallStopped(MYSQL* handle, std::string text);
// Drops the state of a connection record that is being closed.
void ForgetStoppedCall(MYSQL* handle);
