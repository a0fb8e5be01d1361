#include "commands/command_connection.h"

#include "commands/command_context.h"
#include "ui/language.h"
#include "ui/prompts.h"

bool HasServerAndUser(const CommandContext& context) {
    const ConnectionInputs in = context.connectionInputs();
    return !in.serverEntry.isEmpty() && !in.user.isEmpty();
}

std::vector<QStringList> ResultRows(const std::vector<TextRow>& rows) {
    std::vector<QStringList> texts;
    texts.reserve(rows.size());
    for (const TextRow& row : rows) {
        QStringList& columns = texts.emplace_back();
        columns.reserve(static_cast<qsizetype>(row.size()));
        for (const std::string& value : row)
            columns.append(QString::fromStdString(value));
    }
    return texts;
}

void ProcessMessagesAndArrow() {
    prompts().processEvents();
    prompts().setCursor(CursorShape::Arrow);
}

void SayOutOfMemory() {
    prompts().message(BiText(QStringLiteral("Out of memory"), QStringLiteral("Nema memorije")),
                      PromptIcon::Error);
}

void ShowSessionError(const ServerSession& session) {
    prompts().message(QString::fromStdString(session.Error().text), PromptIcon::Error);
}

CommandConnection::CommandConnection(CommandContext& context) : context_(context) {}

CommandConnection::~CommandConnection() {
    Close();
    if (busy_)
        SetArrowCursor();
}

bool CommandConnection::Open(ConnectCall call, const QString& database) {
    ProcessMessages();
    SetBusyCursor();
    const ConnectionInputs in = context_.connectionInputs();
    ServerSession& s = session();
    const bool connected = call == ConnectCall::Connect
                               ? s.ConnectShort(in.host.toStdString(), in.user.toStdString(),
                                                in.password.toStdString())
                               : s.Connect({in.host.toStdString(), in.user.toStdString(),
                                            in.password.toStdString(), database.toStdString()});
    if (!connected) {
        // Without a connection record there is no error text to ask for.
        if (!s)
            SayOutOfMemory();
        else
            ShowError();
        Close();
        Ready();
        return false;
    }
    return true;
}

SessionResult CommandConnection::Run(const std::string& sql) {
    SessionResult result = session().Run(sql);
    if (result.failed)
        ShowError();
    return result;
}

ServerSession& CommandConnection::session() {
    return context_.commandSession();
}

void CommandConnection::ShowError() const {
    ShowSessionError(context_.commandSession());
}

void CommandConnection::Close() {
    session().Close();
}

void CommandConnection::ProcessMessages() {
    prompts().processEvents();
}

void CommandConnection::Ready() {
    ProcessMessagesAndArrow();
    busy_ = false;
}

void CommandConnection::SetBusyCursor() {
    prompts().setCursor(CursorShape::SqlWait);
    busy_ = true;
}

void CommandConnection::SetArrowCursor() {
    prompts().setCursor(CursorShape::Arrow);
    busy_ = false;
}
