// The user page check and the four write steps of the grants wizard. On servers whose privilege
// database holds plain tables each step inserts rows; on servers that keep accounts behind a view
// the same step sends CREATE USER and GRANT. Both flush the privileges afterwards.
#include "data/sql_values.h"
#include "grants/grants_messages.h"
#include "grants/grants_state.h"
#include "grants/grants_window.h"
#include "grants/privilege_statements.h"
#include "ui/check_list_box.h"
#include "ui/operator_log.h"
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

// "Next >" on User: the server page, once the new user's name, host and password are right.
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
// the server's text, closes the connection and shows the table's failure message; what ran
// before it stays and is flushed. The answer is the number of statements that ran.
std::size_t TfrmGrants::WriteTable(const std::vector<std::string>& statements,
                                   const QString& table) {
    GrantsState& s = grantsState();
    std::size_t written = 0;
    for (const std::string& sql : statements) {
        // A server text quoting the statement must not carry its password into the log.
        RegisterStatementSecrets(QString::fromStdString(sql));
        bool ok;
        {
            BusyCursor busy;
            ok = s.grantor.Exec(sql);
        }
        if (!ok) {
            ShowGrantorError();
            // The rows written so far take effect; the failure shown is the one that matters.
            if (written > 0)
                (void)s.grantor.Exec("FLUSH PRIVILEGES");
            s.grantor.Close();
            prompts().message(grants_text::PrivilegesNotSet(table), PromptIcon::Error);
            return written;
        }
        ++written;
    }
    prompts().message(grants_text::PrivilegesSet(table));
    if (s.grantor.Exec("FLUSH PRIVILEGES"))
        prompts().message(grants_text::PrivilegesFlushed());
    else
        ShowGrantorError();
    return written;
}

void TfrmGrants::WriteUserRow() {
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
    if (WriteTable(statements, QStringLiteral("USER")) < statements.size())
        return;
    // The databases for the next page, on a connection with no database.
    clbDB->clear();
    ListFirstValues(QString(), "SHOW DATABASES", clbDB);
}

void TfrmGrants::WriteHostAndDbRows() {
    if (!StepAllowed())
        return;
    const CheckList host = Entries(clbHostpriv);
    const CheckList db = Entries(clbDBpriv);
    const PrivilegeChoice dbChoice = ChoosePrivileges(db);
    if (!KnownPrivileges(dbChoice) || !AskAndOpen(grants_text::AskHostAndDbTables()))
        return;
    // A database picked from the server's list means that database only: "_" and "%" in its
    // name are not wildcards. Every database is "%" as it stands.
    GrantInputs in = Inputs();
    if (in.database != kAllDatabases.toStdString())
        in.database = ExactDatabasePattern(in.database);
    const Quoter quote = GrantorQuoter();

    if (layout_ == PrivilegeLayout::Accounts)
        prompts().message(grants_text::NoHostTable());
    else if (host.empty())
        prompts().message(grants_text::NothingToWrite(QStringLiteral("HOST")), PromptIcon::Warning);
    else if (WriteTable({HostRowInsert(in, host, quote)}, QStringLiteral("HOST")) == 0)
        return;

    if (db.empty()) {
        prompts().message(grants_text::NothingToWrite(QStringLiteral("DB")), PromptIcon::Warning);
    } else {
        const std::string sql =
            layout_ == PrivilegeLayout::Tables
                ? DbRowInsert(in, db, quote)
                : GrantStatement(dbChoice, DatabaseLevel(in.database), in, quote);
        if (WriteTable({sql}, QStringLiteral("DB")) == 0)
            return;
    }
    grantsState().grantor.Close();
}

// The table step grants on every checked table, one statement each; the answer is the tables
// granted.
QStringList TfrmGrants::WriteTablePrivileges() {
    if (!StepAllowed())
        return {};
    const QStringList tables = clbTable->CheckedTexts();
    if (tables.isEmpty()) {
        prompts().message(grants_text::NoTableSelected(), PromptIcon::Warning);
        return {};
    }
    const CheckList tablePrivileges = Entries(clbTablepriv);
    const CheckList columnPrivileges = Entries(clbTableColpriv);
    if (!AskAndOpen(grants_text::AskTablesPriv()))
        return {};
    GrantInputs in = Inputs();
    const Quoter quote = GrantorQuoter();
    std::vector<std::string> statements;
    QStringList shown;
    for (const QString& table : tables) {
        in.table = table.toStdString();
        statements.push_back(layout_ == PrivilegeLayout::Tables
                                 ? TablesPrivInsert(in, tablePrivileges, columnPrivileges, quote)
                                 : GrantStatement(ChoosePrivileges(tablePrivileges),
                                                  TableLevel(in.database, in.table), in, quote));
        shown.append(QString::fromStdString(statements.back()));
    }
    prompts().message(shown.join(QStringLiteral("\n\r")));
    const std::size_t written = WriteTable(statements, QStringLiteral("Tables_priv"));
    const QStringList granted = tables.mid(0, static_cast<qsizetype>(written));
    for (const QString& table : granted)
        grantedTables_.insert(table);
    return granted;
}

// The column step grants on every checked column of the Columns page's table and removes the
// columns granted.
void TfrmGrants::WriteColumnPrivileges() {
    if (!StepAllowed())
        return;
    const QStringList columns = clbCol->CheckedTexts();
    if (columnsTable_.isEmpty() || columns.isEmpty()) {
        prompts().message(columnsTable_.isEmpty() ? grants_text::NoTableSelected()
                                                  : grants_text::NoColumnSelected(),
                          PromptIcon::Warning);
        return;
    }
    const CheckList privileges = Entries(clbColpriv);
    const PrivilegeChoice choice = ChoosePrivileges(privileges);
    if (layout_ == PrivilegeLayout::Accounts && choice.keywords.empty()) {
        prompts().message(grants_text::NothingChecked(), PromptIcon::Warning);
        return;
    }
    if (!AskAndOpen(grants_text::AskColumnsPriv()))
        return;
    GrantInputs in = Inputs();
    in.table = columnsTable_.toStdString();
    const Quoter quote = GrantorQuoter();
    std::vector<std::string> statements;
    if (layout_ == PrivilegeLayout::Tables) {
        // One row per column.
        for (const QString& column : columns) {
            in.column = column.toStdString();
            statements.push_back(ColumnsPrivInsert(in, privileges, quote));
        }
    } else {
        std::vector<std::string> names;
        for (const QString& column : columns)
            names.push_back(column.toStdString());
        statements.push_back(
            ColumnGrantStatement(choice, TableLevel(in.database, in.table), names, in, quote));
    }
    const std::size_t written = WriteTable(statements, QStringLiteral("Columns_priv"));
    // All columns share the one statement of an account server.
    const qsizetype granted = layout_ == PrivilegeLayout::Tables
                                  ? static_cast<qsizetype>(written)
                                  : (written > 0 ? columns.size() : 0);
    if (granted > 0)
        grantedTables_.insert(columnsTable_);
    clbCol->RemoveTexts(columns.mid(0, granted));
}

// "Finish" on Userfrm: writes the user, then closes the window.
void TfrmGrants::BitBtn9Click() {
    WriteUserRow();
    accept();
}

// "Next >" on Userfrm: writes the user, then the databases page.
void TfrmGrants::BitBtn10Click() {
    WriteUserRow();
    ShowPage(DBs);
}

// "Finish" on HostDBfrm: writes the host and database privileges, then closes the window.
void TfrmGrants::BitBtn12Click() {
    WriteHostAndDbRows();
    accept();
}

// "Next >" on HostDBfrm: writes the host and database privileges, then lists the tables.
void TfrmGrants::BitBtn13Click() {
    WriteHostAndDbRows();
    if (!checkedServer_.isEmpty() && DiscoverTables())
        ShowPage(Tables);
}

// "Finish" on Tables: the tables granted leave the list; the window stays open.
void TfrmGrants::BitBtn15Click() {
    clbTable->RemoveTexts(WriteTablePrivileges());
}

// "Next >" on Tables: the one checked table is granted, then its columns are listed.
void TfrmGrants::BitBtn16Click() {
    const QStringList tables = clbTable->CheckedTexts();
    if (tables.size() != 1) {
        prompts().message(tables.isEmpty() ? grants_text::NoTableSelected()
                                           : grants_text::OneTableForColumns(),
                          PromptIcon::Warning);
        return;
    }
    WriteTablePrivileges();
    columnsTable_ = tables.front();
    if (!checkedServer_.isEmpty() && DiscoverColumns())
        ShowPage(Columns);
}

// "Finish" on Columns: writes the column privileges; the window stays open.
void TfrmGrants::BitBtn18Click() {
    WriteColumnPrivileges();
}
