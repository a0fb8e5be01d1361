// The user page check and the four write steps of the grants wizard. On servers whose privilege
// database holds plain tables each step inserts rows; on servers that keep accounts behind a view
// the same step sends CREATE USER and GRANT. Both flush the privileges afterwards.
#include "grants/frm_grants.h"
#include "grants/grants_messages.h"
#include "grants/grants_state.h"
#include "grants/privilege_statements.h"
#include "ui/check_list_box.h"
#include "ui/prompts.h"

#include <QLineEdit>

#include <optional>

namespace {

CheckList Entries(const TCheckListBox* list) {
    CheckList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.push_back({list->item(i)->text().toStdString(), list->Checked(i)});
    return entries;
}

Quoter GrantorQuoter() {
    return [](std::string_view value) { return grantsState().grantor.Quote(value); };
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

bool TfrmGrants::OpenForStep() {
    prompts().processEvents();
    return OpenGrantor(checkedServer_, QStringLiteral("mysql"));
}

// Runs the statements of one table in turn; the first refusal shows the server's text, closes
// the connection and shows the table's failure message.
bool TfrmGrants::RunStatement(const std::string& sql, const QString& table) {
    GrantsState& s = grantsState();
    bool ok;
    {
        BusyCursor busy;
        ok = s.grantor.Execute(sql);
    }
    if (!ok) {
        ShowGrantorError();
        s.grantor.Close();
        prompts().message(grants_text::PrivilegesNotSet(table), PromptIcon::Error);
    }
    return ok;
}

void TfrmGrants::Flush() {
    if (grantsState().grantor.Execute("FLUSH PRIVILEGES"))
        prompts().message(grants_text::PrivilegesFlushed());
    else
        ShowGrantorError();
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
    if (layout_ == PrivilegeLayout::Accounts && !choice.unknown.empty()) {
        prompts().message(grants_text::UnknownPrivilege(QString::fromStdString(choice.unknown)),
                          PromptIcon::Warning);
        return;
    }
    if (!prompts().askYesNo(grants_text::AskUserTable()))
        return;
    std::optional<BusyCursor> busy(std::in_place);
    if (!OpenForStep())
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
    busy.reset();
    for (const std::string& sql : statements)
        if (!RunStatement(sql, QStringLiteral("USER")))
            return;
    prompts().message(grants_text::PrivilegesSet(QStringLiteral("USER")));
    Flush();
    ListDatabases();
}

// Fills clbDB with the server's databases, on a connection of its own with no database.
void TfrmGrants::ListDatabases() {
    GrantsState& s = grantsState();
    BusyCursor busy;
    if (!OpenGrantor(checkedServer_, QString()))
        return;
    clbDB->clear();
    const ClientSession::Rows rows = s.grantor.Query("SHOW DATABASES");
    if (rows.failed)
        ShowGrantorError();
    for (const ClientSession::Row& row : rows.rows)
        clbDB->AddEntry(QString::fromStdString(row.at(0)));
    s.grantor.Close();
}

void TfrmGrants::HostAndDbStep() {
    if (!StepAllowed())
        return;
    const CheckList host = Entries(clbHostpriv);
    const CheckList db = Entries(clbDBpriv);
    const PrivilegeChoice dbChoice = ChoosePrivileges(db);
    if (layout_ == PrivilegeLayout::Accounts && !dbChoice.unknown.empty()) {
        prompts().message(grants_text::UnknownPrivilege(QString::fromStdString(dbChoice.unknown)),
                          PromptIcon::Warning);
        return;
    }
    if (!prompts().askYesNo(grants_text::AskHostAndDbTables()))
        return;
    std::optional<BusyCursor> busy(std::in_place);
    if (!OpenForStep())
        return;
    busy.reset();
    GrantsState& s = grantsState();
    const GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();

    if (layout_ == PrivilegeLayout::Accounts)
        prompts().message(grants_text::NoHostTable());
    else if (host.empty())
        prompts().message(grants_text::NothingToWrite(QStringLiteral("HOST")), PromptIcon::Warning);
    else if (RunStatement(HostRowInsert(in, host, quote), QStringLiteral("HOST"))) {
        prompts().message(grants_text::PrivilegesSet(QStringLiteral("HOST")));
        Flush();
    } else
        return;

    if (db.empty()) {
        prompts().message(grants_text::NothingToWrite(QStringLiteral("DB")), PromptIcon::Warning);
    } else {
        const std::string sql =
            layout_ == PrivilegeLayout::Tables
                ? DbRowInsert(in, db, quote)
                : GrantStatement(dbChoice, DatabaseLevel(in.database), in, quote);
        if (!RunStatement(sql, QStringLiteral("DB")))
            return;
        prompts().message(grants_text::PrivilegesSet(QStringLiteral("DB")));
        Flush();
    }
    s.grantor.Close();
}

void TfrmGrants::TableStep() {
    if (!StepAllowed())
        return;
    if (clbTable->CurrentText().isEmpty()) {
        prompts().message(grants_text::NoTableSelected(), PromptIcon::Warning);
        return;
    }
    const CheckList table = Entries(clbTablepriv);
    const CheckList columns = Entries(clbTableColpriv);
    if (!prompts().askYesNo(grants_text::AskTablesPriv()))
        return;
    std::optional<BusyCursor> busy(std::in_place);
    if (!OpenForStep())
        return;
    busy.reset();
    const GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();
    const std::string sql =
        layout_ == PrivilegeLayout::Tables
            ? TablesPrivInsert(in, table, columns, quote)
            : GrantStatement(ChoosePrivileges(table), TableLevel(in.database, in.table), in, quote);
    prompts().message(QString::fromStdString(sql));
    if (!RunStatement(sql, QStringLiteral("Tables_priv")))
        return;
    prompts().message(grants_text::PrivilegesSet(QStringLiteral("Tables_priv")));
    Flush();
}

void TfrmGrants::ColumnStep() {
    if (!StepAllowed())
        return;
    if (clbTable->CurrentText().isEmpty()) {
        prompts().message(grants_text::NoTableSelected(), PromptIcon::Warning);
        return;
    }
    if (clbCol->CurrentText().isEmpty()) {
        prompts().message(grants_text::NoColumnSelected(), PromptIcon::Warning);
        return;
    }
    const CheckList privileges = Entries(clbColpriv);
    const PrivilegeChoice choice = ChoosePrivileges(privileges);
    if (layout_ == PrivilegeLayout::Accounts && choice.keywords.empty()) {
        prompts().message(grants_text::NothingChecked(), PromptIcon::Warning);
        return;
    }
    if (!prompts().askYesNo(grants_text::AskColumnsPriv()))
        return;
    std::optional<BusyCursor> busy(std::in_place);
    if (!OpenForStep())
        return;
    busy.reset();
    const GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();
    const std::string sql =
        layout_ == PrivilegeLayout::Tables
            ? ColumnsPrivInsert(in, privileges, quote)
            : ColumnGrantStatement(choice, TableLevel(in.database, in.table), in, quote);
    if (!RunStatement(sql, QStringLiteral("Columns_priv")))
        return;
    prompts().message(grants_text::PrivilegesSet(QStringLiteral("Columns_priv")));
    Flush();
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
