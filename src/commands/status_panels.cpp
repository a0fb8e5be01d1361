#include "commands/status_panels.h"

#include "commands/command_context.h"
#include "commands/server_entry.h"
#include "commands/shared_query.h"
#include "data/mysql_query.h"
#include "ui/language.h"
#include "ui/status_bar.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>

#include <memory>

namespace {

void ShowPanels(TStatusBar& panels, std::initializer_list<QString> texts) {
    ClearStatusPanels(panels);
    int i = 0;
    for (const QString& text : texts)
        panels.setPanelText(i++, text);
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
    if (!query.RowsStreaming())
        return;
    QPointer<TStatusBar> panels = &context.statusPanels();
    auto shown = std::make_shared<QString>(panels->panelText(4));
    query.OnRowsArrived = [panels, shown](TMySQLQuery& q) {
        if (!panels || panels->panelText(4) != *shown)
            return;
        *shown = QString::number(q.RowsArrived());
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
