#include "tables/table_commands.h"

#include "commands/command_connection.h"
#include "commands/command_context.h"
#include "data/sql_values.h"
#include "tables/structure_window.h"
#include "tables/table_statements.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QListWidget>

#include <string>

namespace {

// A name as the questions and messages show it.
QString Shown(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// What the server lists the table as: false with a message when it is a view (a DELETE on a
// view deletes the rows of its base table). A name the server does not list is left to the
// statement, which reports it.
bool IsBaseTable(ServerSession& session, const TableChoice& choice) {
    const StatementAnswer kind = AskServer(
        session,
        "SELECT TABLE_TYPE FROM information_schema.TABLES WHERE TABLE_SCHEMA = " +
            QuoteSqlValue(session.handle(), choice.database.toStdString()) +
            " AND TABLE_NAME = " + QuoteSqlValue(session.handle(), choice.table.toStdString()));
    if (kind.failed()) {
        prompts().message(kind.error, PromptIcon::Error);
        return false;
    }
    if (kind.rows.empty() || !kind.rows.front().value(0).endsWith(QLatin1String("VIEW")))
        return true;
    prompts().message(
        BiText(QStringLiteral("%1 in database %2 is a view, not a table: Empty table and Drop "
                              "table act on tables only. Nothing was changed."),
               QStringLiteral("%1 u bazi %2 je pogled, a ne tablica: pražnjenje i brisanje "
                              "tablice rade samo na tablicama. Ništa nije promijenjeno."))
            .arg(Shown(choice.table), Shown(choice.database)),
        PromptIcon::Warning);
    return false;
}

// Asks the question made for the table and its database, then sends the statement made for the
// table on the command session with the table's database as default database, when the server
// lists it as a table and not as a view; the server's refusal is shown.
bool SendAfterQuestion(CommandContext& context, QString (*question)(const TableChoice&),
                       std::string (*statement)(const QString&)) {
    const std::optional<TableChoice> choice = ChosenTableOfDatabase(context);
    if (!choice || !prompts().askYesNo(question(*choice)))
        return false;
    CommandConnection conn(context);
    if (!conn.Open(ConnectCall::RealConnect, choice->database))
        return false;
    if (!IsBaseTable(conn.session(), *choice)) {
        conn.Close();
        conn.Ready();
        return false;
    }
    conn.Run(statement(choice->table));
    conn.Close();
    conn.Ready();
    return true;
}

QString EmptyQuestion(const TableChoice& choice) {
    return BiText(QStringLiteral("Empty table %1 in database %2?"),
                  QStringLiteral("Isprazniti tablicu %1 u bazi %2?"))
        .arg(Shown(choice.table), Shown(choice.database));
}

QString DropQuestion(const TableChoice& choice) {
    return BiText(QStringLiteral("Delete table %1 in database %2?"),
                  QStringLiteral("Pobrisati tablicu %1 u bazi %2?"))
        .arg(Shown(choice.table), Shown(choice.database));
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
    return SendAfterQuestion(context, EmptyQuestion, DeleteFromStatement);
}

bool DropTable(CommandContext& context) {
    return SendAfterQuestion(context, DropQuestion, DropTableStatement);
}
