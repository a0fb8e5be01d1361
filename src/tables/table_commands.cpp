#include "tables/table_commands.h"

#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "tables/structure_window.h"
#include "tables/table_statements.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QListWidget>

#include <string>

namespace {

// Asks the question, then sends the statement made for the table on the command session with the
// table's database as default database; the server's refusal is shown.
bool SendAfterQuestion(CommandContext& context, const QString& question,
                       std::string (*statement)(const QString&)) {
    const std::optional<TableChoice> choice = ChosenTableOfDatabase(context);
    if (!choice || !prompts().askYesNo(question))
        return false;
    CommandConnection conn(context);
    if (!conn.Open(ConnectCall::RealConnect, choice->database))
        return false;
    conn.Run(statement(choice->table));
    conn.Close();
    conn.Ready();
    return true;
}

} // namespace

std::optional<TableChoice> ChosenTableOfDatabase(CommandContext& context) {
    const QString database = context.connectionInputs().database;
    const TRadioGroup& databases = context.databaseList();
    const QListWidget& tables = context.tableList();
    if (!HasServerAndUser(context) || database.isEmpty() || tables.count() == 0 ||
        databases.itemIndex() < 0 || databases.currentItem() != database)
        return std::nullopt;
    const QList<QListWidgetItem*> selected = tables.selectedItems();
    if (selected.isEmpty() || selected.front()->text().isEmpty())
        return std::nullopt;
    return TableChoice{database, selected.front()->text()};
}

void ViewTable(CommandContext& context) {
    const std::optional<TableChoice> choice = ChosenTableOfDatabase(context);
    if (!choice)
        return;
    StatementAnswer fields;
    StatementAnswer keys;
    {
        CommandConnection conn(context);
        if (!conn.Open(ConnectCall::RealConnect, choice->database))
            return;
        fields = AskServer(conn.session(), ShowFieldsStatement(choice->table));
        keys = AskServer(conn.session(), ShowKeysStatement(choice->table));
        conn.Close();
        conn.Ready();
    }
    // A table the server cannot describe (a view over a dropped table) is reported; the window
    // still opens with what could be read.
    QStringList errors;
    for (const StatementAnswer* answer : {&fields, &keys})
        if (answer->failed() && !errors.contains(answer->error))
            errors.append(answer->error);
    if (!errors.isEmpty())
        prompts().message(errors.join(QLatin1Char('\n')), PromptIcon::Error);

    TfrmPropstbl form(choice->table, context.dialogParent());
    form.FillFields(fields.rows);
    form.FillKeys(keys.rows);
    prompts().runDialog(form);
}

bool EmptyTable(CommandContext& context) {
    return SendAfterQuestion(
        context, BiText(QStringLiteral("Empty table?"), QStringLiteral("Isprazniti tablicu?")),
        DeleteFromStatement);
}

bool DropTable(CommandContext& context) {
    return SendAfterQuestion(
        context, BiText(QStringLiteral("Delete table?"), QStringLiteral("Pobrisati tablicu?")),
        DropTableStatement);
}
