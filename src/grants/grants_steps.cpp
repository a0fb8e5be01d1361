// The user page check and the four write steps of the grants wizard. On servers whose privilege
// database holds plain tables each step inserts rows; on servers that keep accounts behind a view
// the same step sends CREATE USER and GRANT. Both flush the privileges afterwards.
#include "data/sql_values.h"
#include "grants/frm_grants.h"
#include "grants/grants_messages.h"
#include "grants/grants_state.h"
#include "grants/privilege_statements.h"
#include "ui/check_list_box.h"
#include "ui/prompts.h"

#include <QLineEdit>

#include <vector>

namespace {

CheckList Entries(const TCheckListBox* list) {
    CheckList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.push_back({list->item(i)->text().toStdString(), list->Checked(i)});
    return entries;
}

Quoter GrantorQuoter() {
    return [](std::string_view value) { return QuoteSqlValue(grantsState().grantor.get(), value); };
}

} // namespace

void TfrmGrants::BitBtn1Click() {
    if (edPwd->text() != edConfirm->text()) {
        prompts().beep();
        prompts().message(grants_text::RepeatPassword(), PromptIcon::Warning);
        edPwd->clear();
        edConfirm->clear();
        edPwd->setFocus();
        return;
    }
    if (edPwd->text().isEmpty() && prompts().askYesNo(grants_text::UsePassword())) {
        edPwd->setFocus();
        return;
    }
    if (!edFromhost->text().isEmpty() && !edUser->text().isEmpty())
        ShowPage(ServerGrantor);
}

GrantInputs TfrmGrants::Inputs() const {
    GrantInputs in;
    in.user = edUser->text().toStdString();
    in.host = edFromhost->text().toStdString();
    in.password = edPwd->text().toStdString();
    in.grantor = Grantor->text().toStdString();
    const QString database = grantsState().targetDatabase;
    in.database = database.isEmpty() ? std::string("%") : database.toStdString();
    in.table = clbTable->CurrentText().toStdString();
    in.column = clbCol->CurrentText().toStdString();
    return in;
}

// A step writes only to the server whose grant check passed in this window.
bool TfrmGrants::StepAllowed() {
    if (!checkedServer_.isEmpty())
        return true;
    prompts().message(grants_text::NoCheckedServer(), PromptIcon::Warning);
    return false;
}

// Asks the step's question; Yes opens the grantor connection for the step.
bool TfrmGrants::AskAndOpen(const QString& question) {
    if (!prompts().askYesNo(question))
        return false;
    BusyCursor busy;
    return OpenGrantor(checkedServer_, QStringLiteral("mysql"));
}

// On servers that take account statements, a checked privilege column without a keyword is
// refused by name.
bool TfrmGrants::KnownPrivileges(const PrivilegeChoice& choice) {
    if (layout_ != PrivilegeLayout::Accounts || choice.unknown.empty())
        return true;
    prompts().message(grants_text::UnknownPrivilege(QString::fromStdString(choice.unknown)),
                      PromptIcon::Warning);
    return false;
}

// Runs the statements of one table in turn, then says so and flushes. The first refusal shows
// the server's text, closes the connection and shows the table's failure message.
bool TfrmGrants::WriteTable(const std::vector<std::string>& statements, const QString& table) {
    GrantsState& s = grantsState();
    for (const std::string& sql : statements) {
        bool ok;
        {
            BusyCursor busy;
            ok = s.grantor.Exec(sql);
        }
        if (!ok) {
            ShowGrantorError();
            s.grantor.Close();
            prompts().message(grants_text::PrivilegesNotSet(table), PromptIcon::Error);
            return false;
        }
    }
    prompts().message(grants_text::PrivilegesSet(table));
    if (s.grantor.Exec("FLUSH PRIVILEGES"))
        prompts().message(grants_text::PrivilegesFlushed());
    else
        ShowGrantorError();
    return true;
}

void TfrmGrants::UserRowStep() {
    if (!StepAllowed())
        return;
    const CheckList privileges = Entries(clbUserpriv);
    if (privileges.empty()) {
        prompts().message(grants_text::NothingToWrite(QStringLiteral("USER")), PromptIcon::Warning);
        return;
    }
    const PrivilegeChoice choice = ChoosePrivileges(privileges);
    if (!KnownPrivileges(choice) || !AskAndOpen(grants_text::AskUserTable()))
        return;
    const GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();
    std::vector<std::string> statements;
    if (layout_ == PrivilegeLayout::Tables) {
        statements.push_back(UserRowInsert(in, privileges, quote));
    } else {
        statements.push_back(CreateUserStatement(in, quote));
        if (!choice.keywords.empty() || choice.grantOption)
            statements.push_back(GrantStatement(choice, GlobalLevel(), in, quote));
    }
    if (!WriteTable(statements, QStringLiteral("USER")))
        return;
    // The databases for the next page, on a connection with no database.
    clbDB->clear();
    ListFirstValues(QString(), "SHOW DATABASES", clbDB);
}

void TfrmGrants::HostAndDbStep() {
    if (!StepAllowed())
        return;
    const CheckList host = Entries(clbHostpriv);
    const CheckList db = Entries(clbDBpriv);
    const PrivilegeChoice dbChoice = ChoosePrivileges(db);
    if (!KnownPrivileges(dbChoice) || !AskAndOpen(grants_text::AskHostAndDbTables()))
        return;
    const GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();

    if (layout_ == PrivilegeLayout::Accounts)
        prompts().message(grants_text::NoHostTable());
    else if (host.empty())
        prompts().message(grants_text::NothingToWrite(QStringLiteral("HOST")), PromptIcon::Warning);
    else if (!WriteTable({HostRowInsert(in, host, quote)}, QStringLiteral("HOST")))
        return;

    if (db.empty()) {
        prompts().message(grants_text::NothingToWrite(QStringLiteral("DB")), PromptIcon::Warning);
    } else {
        const std::string sql =
            layout_ == PrivilegeLayout::Tables
                ? DbRowInsert(in, db, quote)
                : GrantStatement(dbChoice, DatabaseLevel(in.database), in, quote);
        if (!WriteTable({sql}, QStringLiteral("DB")))
            return;
    }
    grantsState().grantor.Close();
}

// Both the table and the column step need a current table; the column step a current column.
bool TfrmGrants::HasCurrentEntries(bool column) {
    if (clbTable->CurrentText().isEmpty()) {
        prompts().message(grants_text::NoTableSelected(), PromptIcon::Warning);
        return false;
    }
    if (column && clbCol->CurrentText().isEmpty()) {
        prompts().message(grants_text::NoColumnSelected(), PromptIcon::Warning);
        return false;
    }
    return true;
}

void TfrmGrants::TableStep() {
    if (!StepAllowed() || !HasCurrentEntries(false))
        return;
    const CheckList table = Entries(clbTablepriv);
    const CheckList columns = Entries(clbTableColpriv);
    if (!AskAndOpen(grants_text::AskTablesPriv()))
        return;
    const GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();
    const std::string sql =
        layout_ == PrivilegeLayout::Tables
            ? TablesPrivInsert(in, table, columns, quote)
            : GrantStatement(ChoosePrivileges(table), TableLevel(in.database, in.table), in, quote);
    prompts().message(QString::fromStdString(sql));
    WriteTable({sql}, QStringLiteral("Tables_priv"));
}

void TfrmGrants::ColumnStep() {
    if (!StepAllowed() || !HasCurrentEntries(true))
        return;
    const CheckList privileges = Entries(clbColpriv);
    const PrivilegeChoice choice = ChoosePrivileges(privileges);
    if (layout_ == PrivilegeLayout::Accounts && choice.keywords.empty()) {
        prompts().message(grants_text::NothingChecked(), PromptIcon::Warning);
        return;
    }
    if (!AskAndOpen(grants_text::AskColumnsPriv()))
        return;
    const GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();
    const std::string sql =
        layout_ == PrivilegeLayout::Tables
            ? ColumnsPrivInsert(in, privileges, quote)
            : ColumnGrantStatement(choice, TableLevel(in.database, in.table), in, quote);
    if (WriteTable({sql}, QStringLiteral("Columns_priv")))
        clbCol->RemoveFirstChecked();
}

void TfrmGrants::BitBtn9Click() {
    UserRowStep();
    accept();
}

void TfrmGrants::BitBtn10Click() {
    UserRowStep();
    ShowPage(DBs);
}

void TfrmGrants::BitBtn12Click() {
    HostAndDbStep();
    accept();
}

void TfrmGrants::BitBtn13Click() {
    HostAndDbStep();
    if (!checkedServer_.isEmpty() && DiscoverTables())
        ShowPage(Tables);
}

void TfrmGrants::BitBtn15Click() {
    TableStep();
    clbTable->RemoveFirstChecked();
}

void TfrmGrants::BitBtn16Click() {
    TableStep();
    if (!checkedServer_.isEmpty() && DiscoverColumns())
        ShowPage(Columns);
}

void TfrmGrants::BitBtn18Click() {
    ColumnStep();
}
