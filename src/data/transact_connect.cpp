#include "data/transact_connect.h"

#include "data/server_text.h"
#include "data/text_utils.h"
#include "data/transact_dialogue.h"
#include "data/winsock_error.h"

#include <sys/socket.h>
#include <unistd.h>

#include <charconv>
#include <exception>

namespace {

// A second descriptor of a socket, through which the window's thread ends the waits of a call that
// runs beside it; closing it leaves the socket itself open.
class SocketStopper {
public:
    explicit SocketStopper(int fd) : fd_(fd >= 0 ? ::dup(fd) : -1) {}
    ~SocketStopper() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    SocketStopper(const SocketStopper&) = delete;
    SocketStopper& operator=(const SocketStopper&) = delete;
    void Stop() const {
        if (fd_ >= 0)
            ::shutdown(fd_, SHUT_RDWR);
    }

private:
    int fd_;
};

// Runs work beside the window as a transact-server call of kind; stopping it shuts socket down.
// False when the operator stopped it (stoppedText says so); a failure work raised is raised here.
bool RunOnSocket(SideCall::Kind kind, TInetSocket& socket, const std::function<void()>& work,
                 std::string& stoppedText) {
    const SocketStopper stopper(socket.Handle());
    std::exception_ptr failure;
    SideCall call;
    call.kind = kind;
    call.work = [&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    call.stop = [&stopper] { stopper.Stop(); };
    if (!RunSideCall(call, stoppedText))
        return false;
    if (failure)
        std::rethrow_exception(failure);
    return true;
}

} // namespace

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
    stopped_ = false;
    bool loggedIn = false;
    // Texts with a line feed would arrive as more lines than the dialogue has.
    if (FitsOnOneLine(Login) && FitsOnOneLine(Password) && FitsOnOneLine(Database)) {
        socket_ = std::make_unique<TInetClientSocket>();
        socket_->Timeout = Timeout;
        try {
            // Made here, so that a stop can shut it down while it connects.
            socket_->Create();
            TInetClientSocket& socket = *socket_;
            std::string stoppedText;
            if (!RunOnSocket(
                    SideCall::Kind::TransactConnect, socket,
                    [&] {
                        socket.Connect(Host, TransactPortNumber(Port));
                        loggedIn = RunTransactLogin(socket, Login, Password, Database, answer_);
                    },
                    stoppedText)) {
                socket_.reset();
                stopped_ = true;
                answer_ = stoppedText;
                return dsError;
            }
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
    stopped_ = false;
    TransactAnswer a;
    try {
        TInetClientSocket& socket = *socket_;
        std::string stoppedText;
        if (!RunOnSocket(
                SideCall::Kind::TransactCommand, socket,
                [&] { a = TransactExchange(socket, command); }, stoppedText)) {
            // The command may have run there or not: the connection is closed, and the command
            // is never reported as done.
            socket_.reset();
            Active = false;
            stopped_ = true;
            answer_ = stoppedText;
            return false;
        }
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
