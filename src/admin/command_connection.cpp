#include "admin/command_connection.h"

#include "shell/query_frm1.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/status_bar.h"

#include <QComboBox>
#include <QLineEdit>

bool HasServerAndUser(const TQueryFrm1& window) {
    return !window.edtHostname->currentText().isEmpty() && !window.edtUsername->text().isEmpty();
}

QString ServerLabel(const TQueryFrm1& window) {
    const QString entry = window.edtHostname->currentText();
    return entry.mid(entry.indexOf(QLatin1Char('>')) + 1);
}

void ShowServerAndUser(TQueryFrm1& window) {
    window.ClearStatusPanels();
    window.FRSB1->setPanelText(0, ServerLabel(window));
    window.FRSB1->setPanelText(1, window.edtUsername->text());
}

std::vector<QStringList> ResultRows(MYSQL_RES* result) {
    std::vector<QStringList> rows;
    if (!result)
        return rows;
    const ClientApi& c = Client();
    const unsigned columns = c.mysql_num_fields(result);
    rows.reserve(static_cast<std::size_t>(c.mysql_num_rows(result)));
    while (MYSQL_ROW row = c.mysql_fetch_row(result)) {
        const unsigned long* lengths = c.mysql_fetch_lengths(result);
        QStringList& texts = rows.emplace_back();
        texts.reserve(columns);
        for (unsigned i = 0; i < columns; ++i)
            texts.append(row[i] ? QString::fromUtf8(row[i], static_cast<qsizetype>(lengths[i]))
                                : QString());
    }
    return rows;
}

CommandConnection::CommandConnection(TQueryFrm1& window) : window_(window) {}

CommandConnection::~CommandConnection() {
    Close();
    if (busy_)
        ArrowCursor();
}

bool CommandConnection::Open(ConnectCall call, const QString& database) {
    ProcessMessages();
    BusyCursor();
    MYSQL* h = window_.AdminHandle.Init();
    if (!h) {
        // mysql_init could not allocate the record: there is no handle to ask for an error text.
        prompts().message(BiText(QStringLiteral("Out of memory"), QStringLiteral("Nema memorije")),
                          PromptIcon::Error);
        ProcessMessages();
        ArrowCursor();
        return false;
    }
    const std::string host = window_.CurrentHost.toStdString();
    const std::string user = window_.edtUsername->text().toStdString();
    const std::string password = window_.edtPasswd->text().toStdString();
    const std::string db = database.toStdString();
    const ClientApi& c = Client();
    if (call == ConnectCall::Connect)
        c.mysql_connect(h, host.c_str(), user.c_str(), password.c_str());
    else
        c.mysql_real_connect(h, host.c_str(), user.c_str(), password.c_str(),
                             db.empty() ? nullptr : db.c_str(), 0, nullptr, 0);
    if (Failed()) {
        ShowError();
        Close();
        ProcessMessages();
        ArrowCursor();
        return false;
    }
    return true;
}

CommandConnection::Outcome CommandConnection::Run(const std::string& sql) {
    Outcome outcome;
    const ClientApi& c = Client();
    c.mysql_query(handle(), sql.c_str());
    if (Failed()) {
        outcome.failed = true;
        ShowError();
    }
    outcome.result.reset(c.mysql_store_result(handle()));
    return outcome;
}

MYSQL* CommandConnection::handle() const {
    return window_.AdminHandle.get();
}

bool CommandConnection::Failed() const {
    return ClientErrorNumber(handle()) != 0;
}

void CommandConnection::ShowError() const {
    prompts().message(QString::fromStdString(ClientErrorText(handle())), PromptIcon::Error);
}

void CommandConnection::Close() {
    window_.AdminHandle.Close();
}

void CommandConnection::ProcessMessages() {
    prompts().processEvents();
}

void CommandConnection::BusyCursor() {
    prompts().setCursor(CursorShape::SqlWait);
    busy_ = true;
}

void CommandConnection::ArrowCursor() {
    prompts().setCursor(CursorShape::Arrow);
    busy_ = false;
}
