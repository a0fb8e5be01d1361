#include "commands/status_panels.h"

#include "commands/command_context.h"
#include "commands/server_entry.h"
#include "commands/shared_query.h"
#include "data/blocking_calls.h"
#include "data/mysql_query.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/status_bar.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTimer>

#include <exception>
#include <memory>

namespace {

void ShowPanels(TStatusBar& panels, std::initializer_list<QString> texts) {
    ClearStatusPanels(panels);
    int i = 0;
    for (const QString& text : texts)
        panels.setPanelText(i++, text);
}

// While a call waits on the server, the error the rows broke off on is for that call to raise.
constexpr int kBreakOffRetryMs = 100;

// Tells the operator the error streamed rows broke off on, once nothing waits on the server any
// more, unless a step to the end of the rows or the operator's stop has told it already.
void TellBreakOff(QPointer<TStatusBar> panels, TMySQLQuery* query) {
    QTimer::singleShot(BlockingCallRunning() ? kBreakOffRetryMs : 0, panels, [panels, query] {
        if (BlockingCallRunning()) {
            TellBreakOff(panels, query);
            return;
        }
        const std::exception_ptr error = query->TakeUntoldBreakOff();
        if (!error)
            return;
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            prompts().message(
                BiText(QStringLiteral("Rows read: %1; reading broke off: %2"),
                       QStringLiteral("Pročitano redaka: %1; čitanje je prekinuto: %2"))
                    .arg(query->RowsArrived())
                    .arg(QString::fromUtf8(e.what())),
                PromptIcon::Error);
        }
    });
}

} // namespace

void ClearStatusPanels(TStatusBar& panels) {
    for (int i = 0; i <= 4; ++i)
        panels.setPanelText(i, QString());
}

void ShowServerAndUser(CommandContext& context) {
    const ConnectionInputs in = context.connectionInputs();
    ShowPanels(context.statusPanels(), {ServerLabel(in.serverEntry, in.user), in.user});
}

void ShowBrowseContext(CommandContext& context, const QString& recordCount) {
    const ConnectionInputs in = context.connectionInputs();
    // A read-only server or a replica is named so beside its label.
    const SharedQuery* shared = context.sharedQuery();
    const QString role = ServerRoleText(shared ? shared->ConnectedServerRole() : ServerRole{});
    const QString server = ServerLabel(in.serverEntry, in.user);
    ShowPanels(context.statusPanels(),
               {role.isEmpty() ? server : server + QStringLiteral(" (") + role + QLatin1Char(')'),
                in.user, in.database, ChosenTable(context), recordCount});
}

void FollowRecordCount(CommandContext& context, TMySQLQuery& query) {
    QPointer<TStatusBar> panels = &context.statusPanels();
    // The count of the rows arrived; rows that broke off are not all the rows: the count says
    // "at least" with a plus (the panel is narrow), and the operator hears why.
    const auto countText = [panels](TMySQLQuery& q) {
        QString text = QString::number(q.RowsArrived());
        if (!q.RowsStreaming() && q.RowsBrokeOff()) {
            text += QLatin1Char('+');
            TellBreakOff(panels, &q);
        }
        return text;
    };
    if (!query.RowsStreaming()) {
        // The rows ended (or broke off) while the query opened.
        if (query.RowsBrokeOff())
            panels->setPanelText(4, countText(query));
        return;
    }
    auto shown = std::make_shared<QString>(panels->panelText(4));
    query.OnRowsArrived = [panels, shown, countText](TMySQLQuery& q) {
        if (!panels || panels->panelText(4) != *shown)
            return;
        *shown = countText(q);
        panels->setPanelText(4, *shown);
    };
}

QString ServerRoleText(const ServerRole& role) {
    if (role.replica && role.readOnly)
        return BiText(QStringLiteral("Read-only replica"),
                      QStringLiteral("Replika samo za čitanje"));
    if (role.replica)
        return BiText(QStringLiteral("Replica"), QStringLiteral("Replika"));
    if (role.readOnly)
        return BiText(QStringLiteral("Read-only server"),
                      QStringLiteral("Poslužitelj samo za čitanje"));
    return QString();
}

void ShowHostAndDatabase(CommandContext& context) {
    const ConnectionInputs in = context.connectionInputs();
    ShowPanels(context.statusPanels(), {in.host, in.user, in.database});
}

QString ChosenTable(CommandContext& context) {
    const QList<QListWidgetItem*> selected = context.tableList().selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}
