#include "tables/database_dump.h"

#include "admin/command_connection.h"
#include "shell/query_frm1.h"
#include "tables/dump_format.h"
#include "tables/dump_progress.h"
#include "tables/report_file.h"
#include "tables/table_statements.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QLineEdit>

namespace {

dump::TableSection ReadSection(MYSQL* handle, const QString& table) {
    dump::TableSection section;
    section.table = table;
    StatementAnswer fields = AskServer(handle, ShowFieldsStatement(table));
    section.fields = std::move(fields.rows);
    section.fieldsError = fields.error;
    StatementAnswer keys = AskServer(handle, ShowKeysStatement(table));
    section.keys = std::move(keys.rows);
    section.keysError = keys.error;
    return section;
}

} // namespace

void DumpDatabase(TQueryFrm1& window) {
    if (window.RadioGroup1->itemIndex() < 0)
        return;
    const QString database = window.RadioGroup1->currentItem();
    window.edtDatabase->setText(database);

    CommandConnection conn(window);
    if (!conn.Open(ConnectCall::RealConnect, database))
        return;
    conn.Ready();
    if (!SelectDatabase(conn.handle(), database)) {
        prompts().message(BiText(QStringLiteral("Error attaching to: "),
                                 QStringLiteral("Greška u spajanju na: ")) +
                              database,
                          PromptIcon::Error);
        return;
    }
    ClientHandle second;
    const QString refused = ConnectHandle(second, {window.CurrentHost, window.edtUsername->text(),
                                                   window.edtPasswd->text(), database});
    if (!refused.isEmpty()) {
        prompts().message(refused, PromptIcon::Error);
        return;
    }
    const StatementAnswer tables = AskServer(conn.handle(), "SHOW TABLES");
    if (tables.failed()) {
        prompts().message(tables.error, PromptIcon::Error);
        return;
    }

    // Everything is read before the report is written: a dump that stops half-way leaves the
    // earlier report as it was.
    QStringList lines{QString(), dump::DatabaseHeading(database), QString()};
    {
        DumpProgress progress(&window, static_cast<int>(tables.rows.size()));
        int done = 0;
        for (const QStringList& row : tables.rows) {
            lines += dump::SectionLines(ReadSection(second.get(), row.value(0)));
            if (!progress.Advance(++done))
                return;
        }
    }
    conn.Close();
    second.Close();
    PublishReport(QString::fromLatin1(kDumpReportName), lines);
}
