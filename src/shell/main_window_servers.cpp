// The saved server list of the main window: loading it from the settings, choosing a server, and
// adding, modifying, removing and viewing saved servers.
#include "commands/clear_window.h"
#include "shell/connect_frm.h"
#include "shell/main_window.h"
#include "shell/saved_server_store.h"

#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"
#include "ui/registry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

const QString kLineEnd = QStringLiteral("\n\r");

// The dialog's entry as a saved server.
SavedServer FromDialog(const TConnectFrm& dlg) {
    SavedServer s;
    s.host = dlg.eHost->text();
    s.user = dlg.eUser->text();
    s.friendly = dlg.eFriendly->text();
    s.socket = dlg.eSocket->text();
    s.rememberPassword = dlg.CBSjetise->isChecked();
    s.password = dlg.ePassword->text();
    return s;
}

// Once per run, when a remembered password had to go to the settings file.
void TellKeyringMissing() {
    if (!SavedServerStore::TakeKeyringMissingNotice())
        return;
    prompts().message(
        BiText(QStringLiteral("No password keyring answers: the password is kept in the settings "
                              "file as plain text."),
               QStringLiteral("Spremnik zaporki ne odgovara: zaporka je spremljena u datoteku "
                              "postavki kao običan tekst.")),
        PromptIcon::Warning);
}

// A settings write that failed: the change is not kept.
void ShowSettingsNotWritten() {
    const QString file = Registry().FileName();
    prompts().message(
        BiText(QStringLiteral("The settings file %1 could not be written: the server list is not "
                              "saved.")
                   .arg(file),
               QStringLiteral("Datoteku postavki %1 nije moguće zapisati: lista servera nije "
                              "spremljena.")
                   .arg(file)),
        PromptIcon::Error);
}

void ShowHostExists(const QString& entry) {
    prompts().message(BiText(
        QStringLiteral("User/Host combination ") + entry + QStringLiteral(" allready exists!"),
        QStringLiteral("Korisnik/Host kombinacija ") + entry + QStringLiteral(" već postoji!")));
}

void ShowFriendlyExists(const QString& entry) {
    prompts().message(BiText(QStringLiteral("User/Friendly name combination ") + entry +
                                 QStringLiteral(" already exists!"),
                             QStringLiteral("Kombinacija korisnik/prijateljsko ime ") + entry +
                                 QStringLiteral(" već postoji!")));
}

// True, after telling the operator, when a server in the lists has the entry's user and host or
// its user and friendly name already; `replaced` (the saved server being changed, or null) does
// not count: a change may keep its own names.
bool ClashesWithListed(const SortedStringList& hosts, const SortedStringList& friendlies,
                       const SavedServer& entry, const SavedServer* replaced) {
    const QString hostEntry = entry.HostEntry();
    if (hosts.Contains(hostEntry) && (!replaced || hostEntry != replaced->HostEntry())) {
        ShowHostExists(hostEntry);
        return true;
    }
    const QString friendlyEntry = entry.FriendlyEntry();
    if (friendlies.Contains(friendlyEntry) &&
        (!replaced || friendlyEntry != replaced->FriendlyEntry())) {
        ShowFriendlyExists(friendlyEntry);
        return true;
    }
    return false;
}

void ShowListFull() {
    prompts().message(
        BiText(QStringLiteral("The server list is full: it keeps at most 255 servers!"),
               QStringLiteral("Lista servera je puna: može čuvati najviše 255 servera!")),
        PromptIcon::Warning);
}

// The number of saved servers; when there are none, says so and answers 0.
int SavedCountOrReport(const SavedServerStore& store) {
    const int count = store.Exists() ? store.Count() : 0;
    if (count == 0)
        prompts().message(BiText(QStringLiteral("No hosts in database!"),
                                 QStringLiteral("Nema hostova u bazi!")));
    return count;
}

} // namespace

void TQueryFrm1::LoadSavedServers() {
    const SavedServerStore store;
    const int count = store.Count();
    edtHostname->clear();
    for (int i = 1; i <= count; ++i) {
        const SavedServer s = store.Read(i);
        HostList.Add(s.HostEntry());
        FriendlyList.Add(s.FriendlyEntry());
        edtHostname->addItem(Usefriendlyname1->isChecked() ? s.FriendlyEntry() : s.HostEntry());
        edtUsername->setText(s.user);
    }
    edtHostname->setCurrentIndex(-1);
    CurrentHost.clear();
}

void TQueryFrm1::RefillHostnameItems() {
    edtHostname->clear();
    const SortedStringList& list = Usefriendlyname1->isChecked() ? FriendlyList : HostList;
    edtHostname->addItems(list.Items());
    edtHostname->setCurrentIndex(-1);
}

void TQueryFrm1::edtHostnameChange() {
    const QString text = edtHostname->currentText();
    const ServerEntryParts entry = SplitServerEntry(text);
    QString user = entry.user;
    QString host = entry.label;
    if (Usefriendlyname1->isChecked()) {
        const SavedServerStore store;
        if (store.Exists()) {
            const int count = store.Count();
            for (int i = 1; i <= count; ++i) {
                const SavedServer s = store.Read(i);
                if (s.FriendlyEntry() == text) {
                    // The saved server settles a user or friendly name that holds ">".
                    user = s.user;
                    host = s.host;
                    break;
                }
            }
        } else {
            host.clear();
        }
    }
    if (!text.isEmpty())
        edtUsername->setText(user);
    CurrentHost = host;
    edtPasswd->setFocus();
}

void TQueryFrm1::edtPasswdEnter() {
    ShowDatabases1->trigger(); // as the menu item does
    RadioGroup1->setFocus();
}

// Saves a new server from the server dialog, unless it is saved already or the list is full.
void TQueryFrm1::Addhost1Click() {
    SavedServerStore store;
    if (store.Count() >= SavedServerStore::kMostServers) {
        ShowListFull();
        return;
    }

    TConnectFrm dlg(this);
    prompts().runDialog(dlg);
    if (!dlg.Accepted())
        return;
    const SavedServer added = FromDialog(dlg);
    if (ClashesWithListed(HostList, FriendlyList, added, nullptr))
        return;
    const QString hostEntry = added.HostEntry();
    const QString friendlyEntry = added.FriendlyEntry();

    if (store.Append(added) == 0) {
        ShowSettingsNotWritten();
        return;
    }
    TellKeyringMissing();
    HostList.Add(hostEntry);
    FriendlyList.Add(friendlyEntry);
    prompts().message(
        BiText(QStringLiteral("Host ") + hostEntry + QStringLiteral(" added to the list!"),
               QStringLiteral("Host ") + hostEntry + QStringLiteral(" dodan u listu!")));
    HostList.Clear();
    FriendlyList.Clear();
    LoadSavedServers();
}

// Changes the saved server of the chosen entry with the server dialog, filled with what is saved.
void TQueryFrm1::Modifyhost1Click() {
    if (HostList.IsEmpty() || FriendlyList.IsEmpty())
        return;
    SavedServerStore store;
    const int count = SavedCountOrReport(store);
    if (count == 0)
        return;

    TConnectFrm dlg(this);
    dlg.eHost->setText(CurrentHost);
    dlg.eUser->setText(edtUsername->text());
    const int found = store.Find(edtUsername->text(), CurrentHost);
    const SavedServer old = found ? store.Read(found) : SavedServer{};
    if (found) {
        dlg.eFriendly->setText(old.friendly);
        dlg.eSocket->setText(old.socket);
        dlg.CBSjetise->setChecked(old.rememberPassword);
        dlg.ePassword->setText(store.Password(old));
    }

    prompts().runDialog(dlg);
    if (!dlg.Accepted())
        return;
    const SavedServer changed = FromDialog(dlg);
    // No other saved server may be overwritten or shadowed.
    if (ClashesWithListed(HostList, FriendlyList, changed, found ? &old : nullptr))
        return;
    if (!found && count >= SavedServerStore::kMostServers) {
        ShowListFull();
        return;
    }

    if (found) {
        HostList.Remove(old.HostEntry());
        FriendlyList.Remove(old.FriendlyEntry());
    }
    HostList.Add(changed.HostEntry());
    FriendlyList.Add(changed.FriendlyEntry());
    CurrentHost = changed.host;
    RunCommand(&ClearMainWindow);
    edtHostname->clear();

    // Nothing saved matched: the entry is new and is kept as Add keeps one.
    const bool written = found ? store.Update(found, changed) : store.Append(changed) != 0;
    if (!written)
        ShowSettingsNotWritten();
    TellKeyringMissing();
    RefillHostnameItems();
}

// Removes the saved server the operator names in the server dialog.
void TQueryFrm1::Removehost1Click() {
    if (HostList.IsEmpty() || FriendlyList.IsEmpty())
        return;
    SavedServerStore store;
    if (SavedCountOrReport(store) == 0)
        return;

    TConnectFrm dlg(this);
    prompts().runDialog(dlg);
    if (!dlg.Accepted())
        return;
    const QString user = dlg.eUser->text();
    const QString host = dlg.eHost->text();
    const QString hostEntry = ServerEntry(user, host);
    if (!HostList.Contains(hostEntry)) {
        prompts().message(
            BiText(QStringLiteral("Invalid host name!"), QStringLiteral("Neispravno ime Hosta!")));
        return;
    }

    // The subkey of exactly this user and host goes; the ones after it move up one place.
    const int found = store.Find(user, host);
    const QString friendlyEntry =
        ServerEntry(user, found ? store.Read(found).friendly : dlg.eFriendly->text());
    if (found && !store.Remove(found)) {
        ShowSettingsNotWritten();
        return;
    }
    HostList.Remove(hostEntry);
    FriendlyList.Remove(friendlyEntry);

    CurrentHost.clear();
    RunCommand(&ClearMainWindow);
    RefillHostnameItems();
    prompts().message(
        BiText(QStringLiteral("Host ") + host + QStringLiteral(" removed from the list!"),
               QStringLiteral("Host ") + host + QStringLiteral(" pobrisan iz liste!")));
}

// Lists the saved servers by friendly name.
void TQueryFrm1::Viewhostsfriendly1Click() {
    QString text =
        BiText(QStringLiteral("Hosts(friendly names):"), QStringLiteral("Hostovi(prijateljski):")) +
        kLineEnd;
    for (const QString& entry : FriendlyList.Items())
        text += entry + kLineEnd;
    prompts().message(text);
}

// Lists the saved servers by address.
void TQueryFrm1::ViewhostsIP1Click() {
    QString text = BiText(QStringLiteral("Hosts:"), QStringLiteral("Hostovi:")) + kLineEnd;
    for (const QString& entry : HostList.Items())
        text += entry + kLineEnd;
    prompts().message(text);
}

// Flips the check mark; while it is set the saved servers are listed by friendly name.
void TQueryFrm1::Usefriendlyname1Click() {
    Usefriendlyname1->setChecked(!Usefriendlyname1->isChecked());
}
