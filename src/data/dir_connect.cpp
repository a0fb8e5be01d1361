#include "data/dir_connect.h"

#include "data/db_error.h"
#include "data/server_text.h"
#include "data/text_utils.h"

namespace {
constexpr unsigned kConnectWithDb = 8;
// UPDATE answers the rows it matched, changed or not: an edit that wrote the values the row
// already had is not mistaken for a row that is gone.
constexpr unsigned kFoundRows = 2;
constexpr unsigned kServerPort = 3306;

const char* OrNull(const std::string& s) {
    return s.c_str();
}
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
    const char* text = Client().mysql_error ? Client().mysql_error(handle_.get()) : "";
    ErrorText = TrimBlanksAndControls(text ? text : "");
    return ConvertServerText(ErrorText);
}

int TDirMySQLConnect::Connect() {
    Disconnect();
    MYSQL* h = handle_.Init();
    const char* db = Database.empty() ? nullptr : Database.c_str();
    if (h && Client().mysql_real_connect(h, OrNull(Host), OrNull(Login), OrNull(Password), db,
                                         kServerPort, nullptr, kConnectWithDb | kFoundRows)) {
        Active = true;
        return dsConnected;
    }
    ErrorText = dberr::kConnectToServer;
    return dsError;
}

void TDirMySQLConnect::Disconnect() {
    if (Active) {
        handle_.Close();
        Active = false;
    }
}

int TDirMySQLConnect::CreateDatabase() {
    Active = false;
    // The client library takes the name up to its first NUL byte: another database than the
    // one named would be made.
    if (Database.find('\0') != std::string::npos) {
        ErrorText = dberr::kDatabaseCreating;
        return dsError;
    }
    MYSQL* h = handle_.Init();
    if (!h || !Client().mysql_connect(h, OrNull(Host), OrNull(Login), OrNull(Password))) {
        ErrorText = dberr::kConnectToServer;
        return dsError;
    }
    if (Client().mysql_create_db(h, Database.c_str()) == 0) {
        Active = true;
        return dsConnected;
    }
    handle_.Close();
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
    } else if (Client().mysql_drop_db(handle_.get(), Database.c_str()) != 0) {
        ErrorText = ClientErrorText(handle_.get());
        code = dsError;
    }
    handle_.Close();
    Active = false;
    return code;
}
