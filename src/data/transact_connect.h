// The transact-server connection (TDirTrSQLConnect) and the query that runs statements, COMMIT
// and ROLLBACK over it (TDirTrSqlQuery).
#pragma once

#include "data/blocking_calls.h"
#include "data/dir_connect.h"
#include "data/dir_query.h"
#include "data/inet_socket.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

inline constexpr const char* kConnectToTransactServerError = "Connect to transact-server error";
inline constexpr std::uint16_t kDefaultTransactPort = 19700;

// The port number a Port text names; 19700 when it is not a port number.
std::uint16_t TransactPortNumber(const std::string& port);

class TDirTrSQLConnect : public TDirConnect {
public:
    TDirTrSQLConnect() { Port = "19700"; }
    ~TDirTrSQLConnect() override { Disconnect(); }

    // Connects to Host and Port and logs in with Login and Password into Database: 1 when the
    // server let us in, 5 when a step of the dialogue failed (no socket is left open). A socket
    // failure or time-out raises EWinsockError.
    int Connect() override;
    // Sends "QUIT;" when a socket exists and closes it; never raises.
    void Disconnect() override;
    int GetConnected() override { return Active && socket_ ? 1 : 0; }
    // The last answer when it was not "OK" (line end removed), converted for display.
    std::string GetErrorMsg() override;

    bool HasSocket() const { return socket_ != nullptr; }
    // The last answer read, at most 8,191 bytes (the receive buffer).
    const std::string& Answer() const { return answer_; }
    // Sends command as one line and reads its answer; true when it is "OK". A connection that
    // can no longer be used (the server closed it, or a socket failure raised EWinsockError) is
    // closed. The login and every exchange run beside the window; one the operator stopped
    // closes the connection, answers false and leaves the stop's text as the answer.
    bool Exchange(std::string_view command);
    // The last login or exchange was stopped by the operator.
    bool Stopped() const { return stopped_; }

    // How long a connect or an answer may take; kept for the next Connect.
    std::chrono::milliseconds Timeout = kSocketTimeout;

private:
    std::unique_ptr<TInetClientSocket> socket_;
    std::string answer_;
    bool stopped_ = false;
};

class TDirTrSqlQuery : public TDirQuery {
public:
    explicit TDirTrSqlQuery(TDirTrSQLConnect* connect = nullptr) : TDirQuery(connect) {}

    // Runs Sql on the transact-server: 0 when it answered "OK", -1 otherwise (Failed is set).
    int ExecSql() override;
    // 5 after a failure, otherwise 0.
    int GetStatus() override { return Failed ? dsError : dsNone; }
    virtual void Commit();
    virtual void Rollback();

private:
    void Run(std::string_view command);
};
