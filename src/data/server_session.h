// One connection to a server through the client library: connect, run statements, read their rows
// as text, close. Every way to a server above the data layer goes through a ServerSession.
#pragma once

#include "data/client_handles.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What a connect needs. An empty database means none; port 0 the library's default.
struct SessionLogin {
    std::string host;
    std::string user;
    std::string password;
    std::string database;
    unsigned port = 0;
    unsigned long flags = 0;
};

// The handle's last error: its number (0 for none) and its text as shown to the operator (at most
// 200 characters, blanks and control characters trimmed at both ends).
struct SessionError {
    unsigned number = 0;
    std::string text;
};

// One row of a result: the text of each column, an SQL NULL as empty text.
using TextRow = std::vector<std::string>;

// What a statement left behind, all of its results drained.
struct SessionResult {
    // The statement, taking its rows or a later result failed; the session's error says why.
    bool failed = false;
    // The first result was a result set (possibly of no rows).
    bool hasRows = false;
    // Columns of the first result (0 for a statement without a result set).
    unsigned fieldCount = 0;
    // Rows the first result changed, for a statement without a result set.
    std::uint64_t affectedRows = 0;
    std::vector<TextRow> rows;
};

class ServerSession {
public:
    // A fresh connection record (the previous one closed) with the utf8mb4 character set; false
    // when the library could not allocate one ("Out of memory").
    [[nodiscard]] bool Init();
    // Init() and the full connect. True when the handle holds no error number afterwards. Connects
    // run beside the window; one the operator stopped answers false with Stopped() and the
    // stopped text as the error (the attempt ends by itself, its connection is discarded).
    [[nodiscard]] bool Connect(const SessionLogin& login);
    // Init() and the short connect that takes host, user and password only.
    [[nodiscard]] bool ConnectShort(const std::string& host, const std::string& user,
                                    const std::string& password);
    // mysql_close; the session may be initialised again.
    void Close();

    // Sends sql with its length and drains every result it produces; the first result set's rows
    // are kept. A failure in any of them is reported as failed.
    SessionResult Run(const std::string& sql);
    // Sends sql and drains its results; true when none of them failed.
    [[nodiscard]] bool Exec(const std::string& sql) { return !Run(sql).failed; }

    // Ping, SelectDatabase and Shutdown run beside the window. A call on a connection that is busy
    // with another call is refused (false) without reaching the server.
    [[nodiscard]] bool Ping();
    [[nodiscard]] bool SelectDatabase(const std::string& name);
    [[nodiscard]] bool CreateDatabase(const std::string& name);
    // Takes the name literally, whatever characters it holds. True when the server accepted it.
    [[nodiscard]] bool DropDatabase(const std::string& name);
    [[nodiscard]] bool Shutdown();
    std::string HostInfo() const;
    std::string ServerInfo() const;
    unsigned long ThreadId() const;

    // The handle's last error; Failed() when it holds an error number.
    SessionError Error() const;
    [[nodiscard]] bool Failed() const;
    // The last statement was stopped by the operator; the error text says so.
    [[nodiscard]] bool Stopped() const;
    // The whole error text, blanks and control characters trimmed at both ends.
    std::string FullErrorText() const;
    // The SQLSTATE of the last error ("00000" for none).
    std::string SqlState() const;

    // The record the data layer's query objects run their statements on (null when closed).
    MYSQL* handle() const { return record_.get(); }
    MYSQL* get() const { return record_.get(); }
    explicit operator bool() const { return static_cast<bool>(record_); }

private:
    // Init() and connect on a record of the attempt's own, run as a side call.
    bool ConnectBeside(std::function<bool(MYSQL*)> connect);
    // Run on the calling thread.
    SessionResult RunHere(const std::string& sql);

    ClientHandle record_; // closes the connection on every way out
};
