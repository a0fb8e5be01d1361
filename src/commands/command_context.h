// What a command of the main window may read and change, and nothing more: the connection inputs,
// the command session, the database and table lists, the query memo, the status panels and the
// data module's shared query. The main window implements it; a command never sees the window.
#pragma once

#include <QString>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;
class ServerSession;
class SharedQuery;
class TRadioGroup;
class TStatusBar;

// The "Connect Info" inputs at the moment a command reads them.
struct ConnectionInputs {
    QString serverEntry; // the chosen saved server as listed (commands/server_entry.h)
    QString host;        // the address the entry stands for
    QString user;
    QString password;
    QString database; // the database the table list shows, empty when none
};

class CommandContext {
public:
    virtual ~CommandContext() = default;

    // Read afresh on every call.
    virtual ConnectionInputs connectionInputs() const = 0;
    // The one short-lived connection the commands open and close again.
    virtual ServerSession& commandSession() = 0;
    // The databases of the server (one chosen) and the tables of the chosen database.
    virtual TRadioGroup& databaseList() = 0;
    virtual QListWidget& tableList() = 0;
    // Shows the database whose tables are listed.
    virtual QLineEdit& databaseEdit() = 0;
    virtual QPlainTextEdit& queryMemo() = 0;
    virtual TStatusBar& statusPanels() = 0;
    // The data module's connection and query behind the grid; null when there is no data module.
    virtual SharedQuery* sharedQuery() = 0;
    // The window dialogs of a command belong to.
    virtual QWidget* dialogParent() = 0;
};
