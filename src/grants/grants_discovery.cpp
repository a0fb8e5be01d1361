// The grantor connection, the grant check and the discovery of what the wizard offers: privilege
// columns, databases' tables and tables' columns, all read from the server.
#include "data/sql_names.h"
#include "grants/grants_messages.h"
#include "grants/grants_state.h"
#include "grants/grants_window.h"
#include "ui/check_list_box.h"
#include "ui/language.h"
#include "ui/operator_log.h"
#include "ui/prompts.h"

#include <QLabel>
#include <QLineEdit>

#include <optional>

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

// A column of a privilege table is offered as a privilege when its name holds "priv".
bool IsPrivilegeColumn(const std::string& name) {
    return name.find("priv") != std::string::npos;
}

} // namespace

bool TfrmGrants::OpenGrantor(const QString& server, const QString& database) {
    GrantsState& s = grantsState();
    if (s.grantorConnected > 0)
        s.grantor.Close();
    SessionLogin login;
    login.host = server.toStdString();
    login.user = Grantor->text().toStdString();
    login.password = GrantorPWD->text().toStdString();
    login.database = database.toStdString();
    RegisterSecret(GrantorPWD->text()); // never written to the operator's log
    if (!s.grantor.Connect(login)) {
        ShowGrantorError();
        s.grantor.Close();
        return false;
    }
    s.grantorConnected = 1;
    return true;
}

void TfrmGrants::ShowGrantorError() {
    const ServerSession& grantor = grantsState().grantor;
    // Without a connection record there is no error text to show.
    prompts().message(
        grantor ? Text(grantor.Error().text)
                : BiText(QStringLiteral("Out of memory"), QStringLiteral("Nema memorije")),
        PromptIcon::Error);
}

void TfrmGrants::ShowLayoutLine() {
    lblLayout->setText(layout_ == PrivilegeLayout::Unknown
                           ? QString()
                           : grants_text::LayoutLine(layout_ == PrivilegeLayout::Tables));
}

void TfrmGrants::clbHostsClickCheck(int row) {
    if (GrantorPWD->text().isEmpty() || Grantor->text().isEmpty()) {
        // No check can run: the server does not stay checked.
        clbHosts->SetChecked(row, false, false);
        Grantor->setFocus();
        return;
    }
    const QString server = clbHosts->item(row)->text();
    if (!clbHosts->Checked(row)) {
        // A server whose check mark is removed no longer receives anything.
        if (server == checkedServer_) {
            checkedServer_.clear();
            layout_ = PrivilegeLayout::Unknown;
            ShowLayoutLine();
        }
        return;
    }
    if (clbHosts->CheckedCount() > 1) {
        clbHosts->SetChecked(row, false, false);
        const QStringList kept = clbHosts->CheckedTexts();
        prompts().message(grants_text::KeepOneServer(kept.value(0)), PromptIcon::Warning);
        return;
    }
    // A server the grantor cannot grant on does not stay checked.
    if (!RunGrantCheck(server))
        clbHosts->SetChecked(row, false, false);
}

bool TfrmGrants::RunGrantCheck(const QString& server) {
    GrantsState& s = grantsState();
    checkedServer_.clear();
    layout_ = PrivilegeLayout::Unknown;
    ShowLayoutLine();
    clbUserpriv->clear();
    std::optional<BusyCursor> busy(std::in_place);
    if (!OpenGrantor(server, QStringLiteral("mysql"))) {
        busy.reset();
        prompts().message(grants_text::GrantorRefused(), PromptIcon::Error);
        return false;
    }

    // The privilege columns of the user table, and which of them holds the right to grant.
    const SessionResult fields = s.grantor.Run("SHOW FIELDS FROM user");
    if (fields.failed)
        ShowGrantorError();
    std::size_t grantColumn = 0;
    bool hasPassword = false;
    QStringList privileges;
    for (std::size_t i = 0; i < fields.rows.size(); ++i) {
        const std::string& name = fields.rows[i].at(0);
        if (IsPrivilegeColumn(name))
            privileges.append(Text(name));
        if (name.find("rant") != std::string::npos)
            grantColumn = i + 1;
        hasPassword = hasPassword || name == "Password";
    }

    // Any row of the grantor's name with "Y" in the grant column lets the grantor grant.
    bool mayGrant = false;
    if (grantColumn > 0) {
        const SessionResult users = s.grantor.Run("select * from user");
        if (users.failed)
            ShowGrantorError();
        const std::string grantor = Grantor->text().toStdString();
        for (const TextRow& row : users.rows)
            if (row.size() >= grantColumn && row[1] == grantor && row[grantColumn - 1] == "Y")
                mayGrant = true;
    }
    if (!mayGrant) {
        s.grantor.Close();
        prompts().message(grants_text::NoGrantPrivileges(), PromptIcon::Error);
        return false;
    }

    // Plain tables with a Password column take rows; a user view (or a table of another shape)
    // takes account statements.
    const SessionResult kind = s.grantor.Run("SHOW FULL TABLES FROM mysql LIKE 'user'");
    const bool view =
        !kind.rows.empty() && kind.rows.front().size() > 1 && kind.rows.front()[1] == "VIEW";
    layout_ = !view && hasPassword ? PrivilegeLayout::Tables : PrivilegeLayout::Accounts;
    clbUserpriv->AddEntries(privileges);
    busy.reset();
    prompts().message(grants_text::GrantorConnected());

    s.checkedServerCount = clbHosts->CheckedCount();
    s.targetServer = server;
    checkedServer_ = server;
    ShowLayoutLine();

    // A connection of its own shows that the server takes the grantor by the short connect too;
    // it is closed as soon as it has answered.
    ServerSession test;
    if (!test.ConnectShort(server.toStdString(), Grantor->text().toStdString(),
                           GrantorPWD->text().toStdString()))
        prompts().message(Text(test.Error().text), PromptIcon::Error);
    return true;
}

bool TfrmGrants::DiscoverHostAndDbPrivileges() {
    GrantsState& s = grantsState();
    if (!OpenGrantor(checkedServer_, QStringLiteral("mysql"))) {
        prompts().message(grants_text::GrantorRejected(), PromptIcon::Error);
        return false;
    }
    const auto fill = [&](const char* sql, TCheckListBox* list, bool report) {
        list->clear();
        const SessionResult rows = s.grantor.Run(sql);
        if (rows.failed && report)
            ShowGrantorError();
        for (const TextRow& row : rows.rows)
            if (IsPrivilegeColumn(row.at(0)))
                list->AddEntry(Text(row.at(0)));
    };
    // Servers that keep accounts behind a view have no host table.
    fill("SHOW FIELDS FROM host", clbHostpriv, layout_ == PrivilegeLayout::Tables);
    fill("SHOW FIELDS FROM db", clbDBpriv, true);
    return true;
}

// The one database whose tables and columns are listed and granted; empty when the privileges go
// to every database.
QString TfrmGrants::DiscoveryDatabase() const {
    const QString target = grantsState().targetDatabase;
    return target == kAllDatabases ? QString() : target;
}

bool TfrmGrants::ListFirstValues(const QString& database, const std::string& sql,
                                 TCheckListBox* into) {
    GrantsState& s = grantsState();
    std::optional<BusyCursor> busy(std::in_place);
    if (!OpenGrantor(checkedServer_, database))
        return false;
    if (!database.isEmpty() && !s.grantor.SelectDatabase(database.toStdString())) {
        busy.reset();
        prompts().message(grants_text::ErrorAttaching(database), PromptIcon::Error);
        s.grantor.Close();
        return false;
    }
    const SessionResult rows = s.grantor.Run(sql);
    if (rows.failed)
        ShowGrantorError();
    for (const TextRow& row : rows.rows)
        into->AddEntry(Text(row.at(0)));
    s.grantor.Close();
    return !rows.failed;
}

bool TfrmGrants::DiscoverTables() {
    clbTable->clear();
    grantedTables_.clear();
    const QString database = DiscoveryDatabase();
    if (database.isEmpty()) {
        prompts().message(grantsState().targetDatabase == kAllDatabases
                              ? grants_text::NoTablesOfAllDatabases()
                              : grants_text::NoDatabaseSelected(),
                          PromptIcon::Warning);
        return false;
    }
    return ListFirstValues(database, "SHOW TABLES", clbTable);
}

// The columns of the table the Columns page works on (columnsTable_).
bool TfrmGrants::DiscoverColumns() {
    clbCol->clear();
    if (columnsTable_.isEmpty()) {
        prompts().message(grants_text::NoTableSelected(), PromptIcon::Warning);
        return false;
    }
    return ListFirstValues(DiscoveryDatabase(),
                           "SHOW FIELDS FROM " + QuoteName(columnsTable_.toStdString()), clbCol);
}

// The target database is the last checked one. With none checked the privileges would reach every
// database, the privilege database "mysql" with its password hashes included: only an explicit
// Yes goes there.
bool TfrmGrants::ChooseTargetDatabase() {
    const QStringList checked = clbDB->CheckedTexts();
    if (!checked.isEmpty()) {
        grantsState().targetDatabase = checked.last();
        return true;
    }
    if (!prompts().askWarningYesNo(grants_text::AskAllDatabases()))
        return false;
    grantsState().targetDatabase = kAllDatabases;
    return true;
}

// "Next >" on DBs: the target database chosen, then its host and database privileges listed.
void TfrmGrants::BitBtn7Click() {
    if (!StepAllowed() || !ChooseTargetDatabase())
        return;
    if (DiscoverHostAndDbPrivileges())
        ShowPage(HostDBfrm);
}
