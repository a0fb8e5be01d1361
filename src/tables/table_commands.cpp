#include "tables/table_commands.h"

#include "admin/command_connection.h"
#include "shell/query_frm1.h"
#include "tables/structure_window.h"
#include "tables/table_statements.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <string>

namespace {

// Asks the question, then sends the statement made for the table over AdminHandle with the
// table's database as default database; the server's refusal is shown.
bool SendAfterQuestion(TQueryFrm1& window, const QString& question,
                       std::string (*statement)(const QString&)) {
    const std::optional<TableChoice> choice = ChosenTableOfDatabase(window);
    if (!choice || !prompts().askYesNo(question))
        return false;
    CommandConnection conn(window);
    if (!conn.Open(ConnectCall::RealConnect, choice->database))
        return false;
    const StatementAnswer answer = AskServer(conn.handle(), statement(choice->table));
    if (answer.failed())
        prompts().message(answer.error, PromptIcon::Error);
    conn.Close();
    conn.Ready();
    return true;
}

} // namespace

std::optional<TableChoice> ChosenTableOfDatabase(const TQueryFrm1& window) {
    const QString database = window.edtDatabase->text();
    if (!HasServerAndUser(window) || database.isEmpty() || window.ListBox1->count() == 0 ||
        window.RadioGroup1->itemIndex() < 0 || window.RadioGroup1->currentItem() != database)
        return std::nullopt;
    const QList<QListWidgetItem*> selected = window.ListBox1->selectedItems();
    if (selected.isEmpty() || selected.front()->text().isEmpty())
        return std::nullopt;
    return TableChoice{database, selected.front()->text()};
}

void ViewTable(TQueryFrm1& window) {
    const std::optional<TableChoice> choice = ChosenTableOfDatabase(window);
    if (!choice)
        return;
    StatementAnswer fields;
    StatementAnswer keys;
    {
        CommandConnection conn(window);
        if (!conn.Open(ConnectCall::RealConnect, choice->database))
            return;
        fields = AskServer(conn.handle(), ShowFieldsStatement(choice->table));
        keys = AskServer(conn.handle(), ShowKeysStatement(choice->table));
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

    TfrmPropstbl form(choice->table, &window);
    form.FillFields(fields.rows);
    form.FillKeys(keys.rows);
    prompts().runDialog(form);
}

bool EmptyTable(TQueryFrm1& window) {
    return SendAfterQuestion(
        window, BiText(QStringLiteral("Empty table?"), QStringLiteral("Isprazniti tablicu?")),
        DeleteFromStatement);
}

bool DropTable(TQueryFrm1& window) {
    return SendAfterQuestion(
        window, BiText(QStringLiteral("Delete table?"), QStringLiteral("Pobrisati tablicu?")),
        DropTableStatement);
}
