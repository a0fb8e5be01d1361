#include "commands/status_panels.h"

#include "commands/command_context.h"
#include "ui/status_bar.h"

#include <QLineEdit>
#include <QListWidget>

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
    ShowPanels(context.statusPanels(), {ServerLabel(in.serverEntry), in.user});
}

void ShowBrowseContext(CommandContext& context, const QString& recordCount) {
    const ConnectionInputs in = context.connectionInputs();
    ShowPanels(context.statusPanels(), {ServerLabel(in.serverEntry), in.user, in.database,
                                        ChosenTable(context), recordCount});
}

void ShowHostAndDatabase(CommandContext& context) {
    const ConnectionInputs in = context.connectionInputs();
    ShowPanels(context.statusPanels(), {in.host, in.user, in.database});
}

QString ChosenTable(CommandContext& context) {
    const QList<QListWidgetItem*> selected = context.tableList().selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}
