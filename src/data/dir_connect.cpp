#include "data/dir_connect.h"

#include "data/blocking_calls.h"
#include "data/db_error.h"
#include "data/server_role.h"
#include "data/server_text.h"

namespace {
constexpr unsigned kConnectWithDb = 8;
// UPDATE answers the rows it matched, changed or not: an edit that wrote the values the row
// already had is not mistaken for a row that is gone.
constexpr unsigned kFoundRows = 2;
constexpr unsigned kServerPort = 3306;

} // namespace

int TDirConnect::ConnectTo(const std::string& host, const std::string& port,
                           const std::string& database, const std::string& login,
                           const std::string& password) {
    Host = host;
    Port = port;
    Database = database;
    Login = login;
    Password = password;
    return Connect();
}

std::string TDirMySQLConnect::GetErrorMsg() {
    if (!Active)
        return ErrorText;
    ErrorText = session_.FullErrorText();
    return ConvertServerText(ErrorText);
}

unsigned TDirMySQLConnect::ErrorNumber() const {
    return session_.Error().number;
}

std::string TDirMySQLConnect::SqlState() const {
    return session_.SqlState();
}

void ThrowConnectError(TDirConnect& connect, const std::string& fallback) {
    std::string message = connect.GetErrorMsg();
    if (message.empty())
        message = fallback;
    ThrowServerError(message, connect.ErrorNumber(), connect.SqlState());
}

std::exception_ptr ConnectErrorOf(TDirConnect& connect) {
    return ServerError(connect.GetErrorMsg(), connect.ErrorNumber(), connect.SqlState());
}

int TDirMySQLConnect::Connect() {
    Disconnect();
    if (session_.Connect(
            {Host, Login, Password, Database, kServerPort, kConnectWithDb | kFoundRows})) {
        Active = true;
        return dsConnected;
    }
    // A connect the operator stopped says so, rather than that the server could not be reached.
    ErrorText = session_.Stopped() ? session_.FullErrorText() : dberr::kConnectToServer;
    return dsError;
}

void TDirMySQLConnect::Disconnect() {
    if (Active) {
        // A reader still streaming rows on the connection ends first.
        FinishHeldConnection(session_.handle());
        session_.Close();
        Active = false;
    }
}

bool TDirMySQLConnect::ServerStillThere() {
    if (!Active || !session_)
        return false;
    FinishHeldConnection(session_.handle());
    // A connection busy with a running call (this check comes from an event processed while the
    // call waits) is not pinged: the ping would be refused, which says nothing of the server.
    if (ConnectionBusy(session_.handle()))
        return true;
    if (session_.Ping())
        return true;
    return !IsConnectionLost(session_.Error().number, session_.SqlState());
}

int TDirMySQLConnect::CreateDatabase() {
    Active = false;
    // The client library takes the name up to its first NUL byte: another database than the
    // one named would be made.
    if (Database.find('\0') != std::string::npos) {
        ErrorText = dberr::kDatabaseCreating;
        return dsError;
    }
    if (!session_.ConnectShort(Host, Login, Password)) {
        ErrorText = session_.Stopped() ? session_.FullErrorText() : dberr::kConnectToServer;
        return dsError;
    }
    if (session_.CreateDatabase(Database)) {
        Active = true;
        return dsConnected;
    }
    session_.Close();
    ErrorText = dberr::kDatabaseCreating;
    return dsError;
}

int TDirMySQLConnect::DropDatabase() {
    if (!Active)
        return dsError;
    int code = dsNone;
    if (Database.find('\0') != std::string::npos) {
        // A name cut at its NUL byte would drop another database: it is refused unsent.
        ErrorText = "Database name holds a NUL character";
        code = dsError;
    } else if (!session_.DropDatabase(Database)) {
        ErrorText = session_.FullErrorText();
        code = dsError;
    }
    session_.Close();
    Active = false;
    return code;
}
