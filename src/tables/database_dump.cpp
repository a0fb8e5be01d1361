#include "tables/database_dump.h"

#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "data/server_session.h"
#include "tables/dump_format.h"
#include "tables/dump_progress.h"
#include "tables/report_file.h"
#include "tables/table_statements.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QLineEdit>

namespace {

dump::TableSection ReadSection(ServerSession& session, const QString& table) {
    dump::TableSection section;
    section.table = table;
    StatementAnswer fields = AskServer(session, ShowFieldsStatement(table));
    section.fields = std::move(fields.rows);
    section.fieldsError = fields.error;
    if (session.Stopped())
        return section; // the operator stopped the dump: nothing more is asked
    StatementAnswer keys = AskServer(session, ShowKeysStatement(table));
    section.keys = std::move(keys.rows);
    section.keysError = keys.error;
    return section;
}

} // namespace

void DumpDatabase(CommandContext& context) {
    if (context.databaseList().itemIndex() < 0)
        return;
    const QString database = context.databaseList().currentItem();
    context.databaseEdit().setText(database);

    CommandConnection conn(context);
    if (!conn.Open(ConnectCall::RealConnect, database))
        return;
    conn.Ready();
    if (!conn.session().SelectDatabase(database.toStdString())) {
        prompts().message(BiText(QStringLiteral("Error attaching to: "),
                                 QStringLiteral("Greška u spajanju na: ")) +
                              database,
                          PromptIcon::Error);
        return;
    }
    // The tables are described on a second connection of the dump's own.
    const ConnectionInputs inputs = context.connectionInputs();
    ServerSession second;
    if (!second.Connect({inputs.host.toStdString(), inputs.user.toStdString(),
                         inputs.password.toStdString(), database.toStdString()})) {
        if (!second)
            SayOutOfMemory();
        else
            ShowSessionError(second);
        return;
    }
    const StatementAnswer tables = AskServer(conn.session(), "SHOW TABLES");
    if (tables.failed()) {
        prompts().message(tables.error, PromptIcon::Error);
        return;
    }

    // Everything is read before the report is written: a dump that stops half-way leaves the
    // earlier report as it was.
    QStringList lines{QString(), dump::DatabaseHeading(database), QString()};
    {
        DumpProgress progress(context.dialogParent(), static_cast<int>(tables.rows.size()));
        int done = 0;
        for (const QStringList& row : tables.rows) {
            const dump::TableSection section = ReadSection(second, row.value(0));
            // A statement the operator stopped ends the dump as Cancel does, and says so.
            if (second.Stopped()) {
                prompts().message(QString::fromStdString(second.FullErrorText()),
                                  PromptIcon::Error);
                return;
            }
            lines += dump::SectionLines(section);
            if (!progress.Advance(++done))
                return;
        }
    }
    conn.Close();
    second.Close();
    PublishReport(QString::fromLatin1(kDumpReportName), lines);
}
