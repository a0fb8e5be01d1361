#include "data/server_session.h"

#include "data/blocking_calls.h"
#include "data/statement_results.h"
#include "data/text_utils.h"

#include <memory>

namespace {

std::vector<TextRow> RowsOf(MYSQL_RES* result) {
    std::vector<TextRow> rows;
    const ClientApi& c = Client();
    const unsigned columns = c.mysql_num_fields(result);
    rows.reserve(static_cast<std::size_t>(c.mysql_num_rows(result)));
    while (MYSQL_ROW row = c.mysql_fetch_row(result)) {
        const unsigned long* lengths = c.mysql_fetch_lengths(result);
        TextRow& texts = rows.emplace_back();
        texts.reserve(columns);
        for (unsigned i = 0; i < columns; ++i)
            texts.emplace_back(row[i] ? std::string(row[i], lengths[i]) : std::string());
    }
    return rows;
}

// How long a connect may wait for the server to take it and greet.
constexpr unsigned kConnectAttemptSeconds = 60;

// A connect in progress on a record of its own, owned by the session that started it and by the
// thread that runs it. A connect the operator left ends on that thread, and its record (connected
// or not) is closed with the last owner; nothing of the session is touched there.
struct ConnectAttempt {
    ClientHandle record;
    bool connected = false;
};

} // namespace

bool ServerSession::ConnectBeside(std::function<bool(MYSQL*)> connect) {
    // The session's own record stands for the attempt until it has ended.
    if (!Init())
        return false;
    auto attempt = std::make_shared<ConnectAttempt>();
    if (!attempt->record.Init()) {
        Close();
        return false;
    }
    // Without a limit, a server that takes the connection and never greets would hold a left
    // attempt (its thread and its socket) for ever.
    if (Client().mysql_options) {
        const unsigned seconds = kConnectAttemptSeconds;
        Client().mysql_options(attempt->record.get(), MYSQL_OPT_CONNECT_TIMEOUT, &seconds);
    }
    SideCall call;
    call.kind = SideCall::Kind::Connect;
    call.work = [attempt, connect = std::move(connect)] {
        attempt->connected = connect(attempt->record.get());
    };
    std::string stoppedText;
    if (!RunSideCall(call, stoppedText)) {
        NoteCallStopped(handle(), std::move(stoppedText));
        return false;
    }
    // The attempt has ended: its record, with its connection or its error, is the session's.
    record_.Swap(attempt->record);
    return attempt->connected && !Failed();
}

bool ServerSession::Init() {
    return record_.Init() != nullptr;
}

bool ServerSession::Connect(const SessionLogin& login) {
    return ConnectBeside([login](MYSQL* h) {
        const char* db = login.database.empty() ? nullptr : login.database.c_str();
        return Client().mysql_real_connect(h, login.host.c_str(), login.user.c_str(),
                                           login.password.c_str(), db, login.port, nullptr,
                                           login.flags) != nullptr;
    });
}

bool ServerSession::ConnectShort(const std::string& host, const std::string& user,
                                 const std::string& password) {
    return ConnectBeside([host, user, password](MYSQL* h) {
        return Client().mysql_connect(h, host.c_str(), user.c_str(), password.c_str()) != nullptr;
    });
}

void ServerSession::Close() {
    record_.Close();
}

SessionResult ServerSession::Run(const std::string& sql) {
    SessionResult out;
    if (!handle()) {
        out.failed = true;
        return out;
    }
    // The statement and every result it answers are read in one call beside the window.
    if (!RunBlockingCall(handle(), [&] { out = RunHere(sql); }))
        return SessionResult{true, false, 0, 0, {}};
    return out;
}

SessionResult ServerSession::RunHere(const std::string& sql) {
    SessionResult out;
    const ClientApi& c = Client();
    if (c.mysql_real_query(handle(), sql.data(), static_cast<unsigned long>(sql.size())) != 0) {
        out.failed = true;
        return out;
    }
    {
        const ClientResult first(c.mysql_store_result(handle()));
        out.fieldCount = c.mysql_field_count(handle());
        if (first) {
            out.hasRows = true;
            out.rows = RowsOf(first.get());
        } else if (out.fieldCount != 0) {
            out.failed = true; // there were rows, but they could not be taken
            return out;
        } else {
            const my_ulonglong affected = c.mysql_affected_rows(handle());
            out.affectedRows = affected == static_cast<my_ulonglong>(-1) ? 0 : affected;
        }
    }
    // Procedures answer several results; the connection is usable again only when all are read.
    if (!DrainMoreResults(handle()))
        out.failed = true;
    return out;
}

bool ServerSession::Ping() {
    int answer = -1;
    return handle() && RunBlockingCall(handle(), [&] { answer = Client().mysql_ping(handle()); }) &&
           answer == 0;
}

bool ServerSession::SelectDatabase(const std::string& name) {
    int answer = -1;
    return handle() &&
           RunBlockingCall(handle(),
                           [&] { answer = Client().mysql_select_db(handle(), name.c_str()); }) &&
           answer == 0;
}

bool ServerSession::CreateDatabase(const std::string& name) {
    int answer = -1;
    return handle() &&
           RunBlockingCall(handle(),
                           [&] { answer = Client().mysql_create_db(handle(), name.c_str()); }) &&
           answer == 0;
}

bool ServerSession::DropDatabase(const std::string& name) {
    if (!handle())
        return false;
    if (!RunBlockingCall(handle(), [&] { Client().mysql_drop_db(handle(), name.c_str()); }))
        return false;
    return !Failed();
}

bool ServerSession::Shutdown() {
    int answer = -1;
    return handle() && RunBlockingCall(handle(), [&] { answer = ClientShutdown(handle()); }) &&
           answer == 0;
}

std::string ServerSession::HostInfo() const {
    const char* text = handle() ? Client().mysql_get_host_info(handle()) : nullptr;
    return text ? text : "";
}

std::string ServerSession::ServerInfo() const {
    const char* text = handle() ? Client().mysql_get_server_info(handle()) : nullptr;
    return text ? text : "";
}

unsigned long ServerSession::ThreadId() const {
    return handle() && Client().mysql_thread_id ? Client().mysql_thread_id(handle()) : 0;
}

SessionError ServerSession::Error() const {
    return {ClientErrorNumber(handle()), ClientErrorText(handle())};
}

bool ServerSession::Failed() const {
    return ClientErrorNumber(handle()) != 0;
}

bool ServerSession::Stopped() const {
    return CallStopped(handle());
}

std::string ServerSession::SqlState() const {
    return ClientErrorState(handle());
}

std::string ServerSession::FullErrorText() const {
    if (CallStopped(handle()))
        return StoppedText(handle());
    const char* text = handle() && Client().mysql_error ? Client().mysql_error(handle()) : nullptr;
    return TrimBlanksAndControls(text ? text : "");
}
