// The command connection: a short connection on the main window's AdminHandle, opened by a command,
// used through the client C API and closed again before the command returns.
#pragma once

#include "data/client_handles.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class TQueryFrm1;

// True when the window has a server entry and a user name; the commands need both.
bool HasServerAndUser(const TQueryFrm1& window);
// The server label of the selected entry: the text of edtHostname after its first ">".
QString ServerLabel(const TQueryFrm1& window);
// Status bar with only the server label (panel 0) and the user name (panel 1); panel 5 stays.
void ShowServerAndUser(TQueryFrm1& window);

// The rows of a stored result, each row its column texts (an SQL NULL reads as empty text).
std::vector<QStringList> ResultRows(MYSQL_RES* result);

// How a command connects: the full call, or the one that takes only host, user and password.
enum class ConnectCall { RealConnect, Connect };

class CommandConnection {
public:
    explicit CommandConnection(TQueryFrm1& window);
    // Closes the handle if the command did not, and brings the arrow back if the busy cursor is
    // still set, also when an exception passes.
    ~CommandConnection();
    CommandConnection(const CommandConnection&) = delete;
    CommandConnection& operator=(const CommandConnection&) = delete;

    // Lets pending messages be processed, sets the busy cursor, initialises AdminHandle and
    // connects to CurrentHost with edtUsername and edtPasswd (database: the default database, none
    // when empty). A failure is recognised by the handle's error number: its text is shown, the
    // handle closed, messages processed, the arrow set, and the answer is false.
    bool Open(ConnectCall call = ConnectCall::RealConnect, const QString& database = {});

    // Sends a statement; when the handle's error number is set its text is shown and failed is
    // true. The result (possibly none) is stored in every case and released by its owner.
    struct Outcome {
        bool failed = false;
        ClientResult result;
    };
    Outcome Run(const std::string& sql);

    MYSQL* handle() const;
    // True when the handle's last call left an error number.
    bool Failed() const;
    // Shows the handle's error text (trimmed, at most 200 characters), nothing added.
    void ShowError() const;

    // mysql_close on AdminHandle.
    void Close();
    // Lets pending messages be processed (the window repaints).
    void ProcessMessages();
    void BusyCursor();
    void ArrowCursor();
    // After a connect: lets pending messages be processed and sets the arrow.
    void Ready() {
        ProcessMessages();
        ArrowCursor();
    }

private:
    TQueryFrm1& window_;
    bool busy_ = false;
};
