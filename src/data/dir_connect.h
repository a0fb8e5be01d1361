// Low-level connections: the abstract TDirConnect and its client-library form TDirMySQLConnect.
#pragma once

#include "data/server_session.h"

#include <exception>
#include <string>

// Status codes answered by the direct connection and query objects.
enum DirStatus : int {
    dsNone = 0,         // done, nothing further to report
    dsConnected = 1,    // a connect succeeded
    dsRows = 2,         // a query produced a result set that is now open
    dsError = 5,        // the operation failed; the error text says why
    dsNotSupported = 7, // the class does not provide this operation
};

class TDirConnect {
public:
    TDirConnect() = default;
    virtual ~TDirConnect() = default; // subclasses disconnect in their own destructors
    TDirConnect(const TDirConnect&) = delete;
    TDirConnect& operator=(const TDirConnect&) = delete;

    bool Active = false;
    std::string ErrorText = "Not connected";
    std::string Host = "localhost";
    std::string Port;
    std::string Database;
    std::string Login;
    std::string Password;

    virtual std::string GetErrorMsg() { return ErrorText; }
    // The number and SQLSTATE of the last error the server or the library answered (0 and empty
    // when the connection keeps none).
    virtual unsigned ErrorNumber() const { return 0; }
    virtual std::string SqlState() const { return {}; }
    virtual int Reserved1() { return dsNotSupported; }
    virtual int GetConnected() { return 0; }
    virtual int Connect() { return dsNotSupported; }
    int ConnectTo(const std::string& host, const std::string& port, const std::string& database,
                  const std::string& login, const std::string& password);
    virtual void Disconnect() {
        Reserved1();
        Active = false;
    }
    virtual int Reserved2() { return dsNotSupported; }
    virtual int CreateDatabase() { return dsNotSupported; }
    virtual int DropDatabase() { return dsNotSupported; }
};

// Raises the connection's last error, GetErrorMsg() as its text (fallback when that is empty), as
// the class ThrowServerError() picks for its number.
[[noreturn]] void ThrowConnectError(TDirConnect& connect, const std::string& fallback = {});
// The same error, caught, to be raised later.
std::exception_ptr ConnectErrorOf(TDirConnect& connect);

// A connection through the client library. The port is always 3306 whatever Port holds.
class TDirMySQLConnect : public TDirConnect {
public:
    TDirMySQLConnect() { Port = "3306"; }
    ~TDirMySQLConnect() override { Disconnect(); }

    std::string GetErrorMsg() override;
    unsigned ErrorNumber() const override;
    std::string SqlState() const override;
    int GetConnected() override { return Active ? 1 : 0; }
    int Connect() override;
    void Disconnect() override;
    int CreateDatabase() override;
    int DropDatabase() override;

    // The client handle the query objects run their statements on (empty before a connect).
    MYSQL* Handle() const { return session_.handle(); }
    // False when the server has dropped the connection: a ping answers that it has gone away or
    // that the connection was lost. Any other answer leaves the connection as it is. A connection
    // busy with a running call is still there (it is not pinged).
    bool ServerStillThere();

private:
    ServerSession session_;
};
