// One connection to a server through the client library, opened, used and closed by its owner:
// connect, run statements, read rows as text, quote values for this session. Every result a
// statement produces is read and released before the next statement.
#pragma once

#include "data/client_handles.h"

#include <string>
#include <string_view>
#include <vector>

class ClientSession {
public:
    using Row = std::vector<std::string>;
    // The rows of a statement; failed when the server refused it (then there are no rows).
    struct Rows {
        bool failed = false;
        std::vector<Row> rows;
    };

    ClientSession() = default;
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // mysql_init, then mysql_real_connect with port 0, no socket and no client flags (database:
    // none when empty). False when the connection failed; ErrorText() says why.
    bool Connect(const std::string& host, const std::string& user, const std::string& password,
                 const std::string& database = {});
    // The short form that takes only host, user and password (mysql_connect).
    bool ConnectShort(const std::string& host, const std::string& user,
                      const std::string& password);
    bool SelectDatabase(const std::string& name);
    // Sends a statement (with its length, so any byte may stand in it) and releases what it
    // returned. False when the server refused it.
    bool Execute(std::string_view sql);
    // Sends a statement and reads its rows as text; an SQL NULL reads as empty text.
    Rows Query(std::string_view sql);
    // The value between single quotes, escaped for this session.
    std::string Quote(std::string_view value) const;

    bool IsOpen() const { return static_cast<bool>(handle_); }
    unsigned ErrorNumber() const;
    // The last error text: at most 200 characters, trimmed at both ends.
    std::string ErrorText() const;
    void Close() { handle_.Close(); }
    MYSQL* get() const { return handle_.get(); }

private:
    bool Failed() const { return ErrorNumber() != 0; }
    bool Send(std::string_view sql);

    ClientHandle handle_;
    // Kept when mysql_init itself fails and there is no handle to hold the text.
    std::string initError_;
};
