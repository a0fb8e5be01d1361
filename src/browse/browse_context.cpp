#include "browse/browse_context.h"

#include "admin/command_connection.h"
#include "shell/dm1.h"
#include "shell/query_frm1.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QLineEdit>
#include <QListWidget>

QString ChosenTable(const TQueryFrm1& window) {
    const QList<QListWidgetItem*> selected = window.ListBox1->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void ShowBrowseContext(TQueryFrm1& window, const QString& recordCount) {
    window.ClearStatusPanels();
    window.FRSB1->setPanelText(0, ServerLabel(window));
    window.FRSB1->setPanelText(1, window.edtUsername->text());
    window.FRSB1->setPanelText(2, window.edtDatabase->text());
    window.FRSB1->setPanelText(3, ChosenTable(window));
    window.FRSB1->setPanelText(4, recordCount);
}

void CloseSharedQuery() {
    if (!DM1)
        return;
    // The query first: its rows must not outlive the connection they came from.
    DM1->MySQLQuery1.Close();
    DM1->MySQLQuery1.SetSQL({});
    DM1->MySQLDatabase1.Disconnect();
}

void PrepareSharedDatabase(TQueryFrm1& window) {
    TMySQLDatabase& db = DM1->MySQLDatabase1;
    if (db.Connected())
        CloseSharedQuery();
    db.SetDatabase(window.RadioGroup1->currentItem().toStdString());
    db.SetHost(window.CurrentHost.toStdString());
    db.SetLogin(window.edtUsername->text().toStdString());
    db.SetPassword(window.edtPasswd->text().toStdString());
}
