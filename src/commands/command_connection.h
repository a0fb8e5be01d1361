// The command connection: the context's command session, opened by a command with the connection
// inputs of the moment, used and closed again before the command returns. Around the session it
// keeps the operator informed: the busy cursor while it talks to the server, the error texts.
#pragma once

#include "data/server_session.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class CommandContext;

// True when the context has a server entry and a user name; the commands need both.
bool HasServerAndUser(const CommandContext& context);

// Rows as the session reads them, each column's text as UTF-8 (an SQL NULL reads as empty text).
std::vector<QStringList> ResultRows(const std::vector<TextRow>& rows);

// How a command connects: the full call, or the one that takes only host, user and password.
enum class ConnectCall { RealConnect, Connect };

// Lets pending messages be processed (the window repaints), then sets the arrow cursor.
void ProcessMessagesAndArrow();
// Tells the operator the client library could not allocate a connection record.
void SayOutOfMemory();
// Shows a session's error text as it stands (trimmed, at most 200 characters).
void ShowSessionError(const ServerSession& session);

class CommandConnection {
public:
    explicit CommandConnection(CommandContext& context);
    // Closes the session if the command did not, and brings the arrow back if the busy cursor is
    // still set, also when an exception passes.
    ~CommandConnection();
    CommandConnection(const CommandConnection&) = delete;
    CommandConnection& operator=(const CommandConnection&) = delete;

    // Lets pending messages be processed, sets the busy cursor and connects with the context's
    // host, user and password (database: the default database, none when empty). On a failure
    // its text is shown, the session closed, messages processed, the arrow set, and the answer is
    // false.
    bool Open(ConnectCall call = ConnectCall::RealConnect, const QString& database = {});

    // Sends a statement and drains all its results; when one failed its error text is shown.
    SessionResult Run(const std::string& sql);

    ServerSession& session();
    // Shows the session's error text, nothing added.
    void ShowError() const;

    void Close();
    // Lets pending messages be processed (the window repaints).
    void ProcessMessages();
    // Sets the SQL-wait cursor until SetArrowCursor() or Ready(), or until the connection goes
    // (unlike the scoped BusyCursor of the prompts, which ends with its block).
    void SetBusyCursor();
    void SetArrowCursor();
    // After a connect: lets pending messages be processed and sets the arrow.
    void Ready();

private:
    CommandContext& context_;
    bool busy_ = false;
};
