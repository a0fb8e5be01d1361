#include "browse/table_browser.h"

#include "admin/command_connection.h"
#include "browse/browse_context.h"
#include "data/sql_names.h"
#include "shell/dm1.h"
#include "shell/query_frm1.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QLineEdit>
#include <QListWidget>

#include <exception>

namespace {

// AdminHandle is closed again on every way out of the table-list load.
class AdminHandleCloser {
public:
    explicit AdminHandleCloser(ClientHandle& handle) : handle_(handle) {}
    ~AdminHandleCloser() { handle_.Close(); }
    AdminHandleCloser(const AdminHandleCloser&) = delete;
    AdminHandleCloser& operator=(const AdminHandleCloser&) = delete;

private:
    ClientHandle& handle_;
};

void ShowClientError(MYSQL* handle) {
    prompts().message(QString::fromStdString(ClientErrorText(handle)), PromptIcon::Error);
}

} // namespace

void LoadTableList(TQueryFrm1& window) {
    if (window.RadioGroup1->itemIndex() < 0)
        return;
    const QString database = window.RadioGroup1->currentItem();
    window.edtDatabase->setText(database);
    window.ListBox1->clear();

    AdminHandleCloser closer(window.AdminHandle);
    MYSQL* h = window.AdminHandle.Init();
    if (!h) {
        prompts().message(BiText(QStringLiteral("Out of memory"), QStringLiteral("Nema memorije")),
                          PromptIcon::Error);
        return;
    }
    const ClientApi& c = Client();
    c.mysql_connect(h, window.CurrentHost.toStdString().c_str(),
                    window.edtUsername->text().toStdString().c_str(),
                    window.edtPasswd->text().toStdString().c_str());
    if (ClientErrorNumber(h) != 0) {
        ShowClientError(h);
        return;
    }
    if (c.mysql_select_db(h, database.toStdString().c_str()) != 0) {
        prompts().message(BiText(QStringLiteral("Error attaching to: "),
                                 QStringLiteral("Greška u spajanju na: ")) +
                              database,
                          PromptIcon::Error);
        return;
    }
    // A database without tables answers no rows; a failure on the way is shown.
    if (c.mysql_query(h, "SHOW TABLES") != 0) {
        ShowClientError(h);
    } else {
        const ClientResult tables(c.mysql_store_result(h));
        for (const QStringList& row : ResultRows(tables.get()))
            window.ListBox1->addItem(row.value(0));
    }
    window.AdminHandle.Close();

    window.ClearStatusPanels();
    window.FRSB1->setPanelText(0, window.CurrentHost);
    window.FRSB1->setPanelText(1, window.edtUsername->text());
    window.FRSB1->setPanelText(2, window.edtDatabase->text());
}

void ShowTableContext(TQueryFrm1& window) {
    ShowBrowseContext(window);
}

void SelectTableAt(TQueryFrm1& window, const QPoint& pos) {
    QListWidget* list = window.ListBox1;
    if (QListWidgetItem* item = list->itemAt(pos)) {
        list->setCurrentItem(item);
        item->setSelected(true);
    } else {
        list->clearSelection();
        list->setCurrentRow(-1);
    }
}

QString SelectAllFrom(const QString& table) {
    return QStringLiteral("SELECT * FROM ") +
           QString::fromStdString(QuoteNameIfNeeded(table.toStdString()));
}

void ViewTableData(TQueryFrm1& window) {
    const QString table = ChosenTable(window);
    if (!DM1 || window.RadioGroup1->itemIndex() < 0 || table.isEmpty())
        return;
    TMySQLDatabase& db = DM1->MySQLDatabase1;
    TMySQLQuery& query = DM1->MySQLQuery1;
    try {
        PrepareSharedDatabase(window);
        db.Connect();
        if (!db.Connected())
            return;
        query.Close();
        query.SetSQL({SelectAllFrom(table).toStdString()});
        // A statement that could not be edited cleared it; a table's rows are shown editable.
        query.RequestLive = true;
        query.Open();
    } catch (const std::exception& e) {
        // The connection's, the query's or the transaction's own text; nothing is opened, the
        // status bar stays.
        prompts().message(QString::fromStdString(e.what()), PromptIcon::Error);
        return;
    }
    ShowBrowseContext(window, QString::number(query.RecordCount()));
}
