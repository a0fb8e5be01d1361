#include "browse/table_browser.h"

#include "browse/browse_context.h"
#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "commands/shared_query.h"
#include "commands/status_panels.h"
#include "data/sql_names.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QLineEdit>
#include <QListWidget>

#include <exception>

void LoadTableList(CommandContext& context) {
    TRadioGroup& databases = context.databaseList();
    if (databases.itemIndex() < 0)
        return;
    const QString database = databases.currentItem();
    context.databaseEdit().setText(database);
    context.tableList().clear();

    // The session is closed again on every way out.
    struct Closer {
        ServerSession& session;
        ~Closer() { session.Close(); }
    } closer{context.commandSession()};
    ServerSession& session = context.commandSession();
    const ConnectionInputs in = context.connectionInputs();
    if (!session.ConnectShort(in.host.toStdString(), in.user.toStdString(),
                              in.password.toStdString())) {
        if (!session)
            SayOutOfMemory();
        else
            ShowSessionError(session);
        return;
    }
    if (!session.SelectDatabase(database.toStdString())) {
        prompts().message(BiText(QStringLiteral("Error attaching to: "),
                                 QStringLiteral("Greška u spajanju na: ")) +
                              database,
                          PromptIcon::Error);
        return;
    }
    // A database without tables answers no rows; a failure on the way is shown.
    const SessionResult tables = session.Run("SHOW TABLES");
    if (tables.failed) {
        ShowSessionError(session);
    } else {
        for (const QStringList& row : ResultRows(tables.rows))
            context.tableList().addItem(row.value(0));
    }
    session.Close();
    ShowHostAndDatabase(context);
}

void ShowTableContext(CommandContext& context) {
    ShowBrowseContext(context);
}

void SelectTableAt(CommandContext& context, const QPoint& pos) {
    QListWidget* list = &context.tableList();
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

void ViewTableData(CommandContext& context) {
    const QString table = ChosenTable(context);
    SharedQuery* shared = context.sharedQuery();
    if (!shared || context.databaseList().itemIndex() < 0 || table.isEmpty())
        return;
    TMySQLDatabase& db = shared->MySQLDatabase1;
    TMySQLQuery& query = shared->MySQLQuery1;
    try {
        PrepareSharedDatabase(context, *shared);
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
    // The rows that have arrived; the count follows the rest as they come.
    ShowBrowseContext(context, QString::number(query.RowsArrived()));
    FollowRecordCount(context, query);
}
