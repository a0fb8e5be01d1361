#include "data/transact_connect.h"

#include "data/server_text.h"
#include "data/text_utils.h"
#include "data/transact_dialogue.h"
#include "data/winsock_error.h"

#include <charconv>

std::uint16_t TransactPortNumber(const std::string& port) {
    unsigned value = 0;
    const char* end = port.data() + port.size();
    const auto [ptr, ec] = std::from_chars(port.data(), end, value);
    if (ec != std::errc() || ptr != end || port.empty() || value > 65535)
        return kDefaultTransactPort;
    return static_cast<std::uint16_t>(value);
}

int TDirTrSQLConnect::Connect() {
    Disconnect();
    bool loggedIn = false;
    // Texts with a line feed would arrive as more lines than the dialogue has.
    if (FitsOnOneLine(Login) && FitsOnOneLine(Password) && FitsOnOneLine(Database)) {
        socket_ = std::make_unique<TInetClientSocket>();
        socket_->Timeout = Timeout;
        try {
            socket_->Connect(Host, TransactPortNumber(Port));
            loggedIn = RunTransactLogin(*socket_, Login, Password, Database, answer_);
        } catch (...) {
            socket_.reset();
            throw;
        }
    }
    if (!loggedIn) {
        answer_ = kConnectToTransactServerError;
        socket_.reset();
        return dsError;
    }
    Active = true;
    return dsConnected;
}

void TDirTrSQLConnect::Disconnect() {
    if (socket_) {
        try {
            socket_->Send("QUIT;\n");
        } catch (const EWinsockError&) {
            // The server is gone already: there is nobody left to tell.
        }
        socket_.reset();
    }
    Active = false;
}

std::string TDirTrSQLConnect::GetErrorMsg() {
    if (!answer_.empty() && !answer_.starts_with("OK"))
        ErrorText = TrimBlanksAndControls(answer_);
    return ConvertServerText(ErrorText);
}

bool TDirTrSQLConnect::Exchange(std::string_view command) {
    if (!socket_ || !Active)
        return false;
    TransactAnswer a;
    try {
        a = TransactExchange(*socket_, command);
    } catch (...) {
        // An answer that did not come may still come later, as the answer to the next command.
        socket_.reset();
        Active = false;
        throw;
    }
    answer_ = std::move(a.Text);
    if (!a.InStep) {
        socket_.reset();
        Active = false;
    }
    return IsOkAnswer(answer_);
}

int TDirTrSqlQuery::ExecSql() {
    Run(Sql);
    return Failed ? -1 : 0;
}

void TDirTrSqlQuery::Commit() {
    Run("COMMIT");
}

void TDirTrSqlQuery::Rollback() {
    Run("ROLLBACK");
}

void TDirTrSqlQuery::Run(std::string_view command) {
    Failed = false;
    auto* connect = dynamic_cast<TDirTrSQLConnect*>(Connect);
    if (!connect || connect->GetConnected() != 1 || !connect->Exchange(command))
        Failed = true;
}
