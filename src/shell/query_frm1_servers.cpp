// The saved server list of the main window: loading it from the settings, choosing a server, and
// adding, modifying, removing and viewing saved servers.
#include "shell/connect_frm.h"
#include "shell/query_frm1.h"

#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/radio_group.h"
#include "ui/registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

const QString kHostlist = QStringLiteral("Hostlist");
const QString kLineEnd = QStringLiteral("\n\r");
constexpr int kMostServers = 255; // "Count" is kept as a byte

QString ServerKey(int i) {
    return kHostlist + QStringLiteral("\\H%1").arg(i);
}

// "Count" of the saved-server key, read as the byte it is kept as; 0 when missing.
int SavedCount() {
    Registry r;
    if (!r.OpenKey(kHostlist, false) || !r.ValueExists(QStringLiteral("Count")))
        return 0;
    return r.ReadInteger(QStringLiteral("Count")) & 0xFF;
}

struct SavedServer {
    QString host, user, friendly;
};

SavedServer ReadServer(Registry& reg, int i) {
    SavedServer s;
    if (reg.OpenKey(ServerKey(i), false)) {
        s.host = reg.ReadString(QStringLiteral("Host"));
        s.user = reg.ReadString(QStringLiteral("User"));
        s.friendly = reg.ReadString(QStringLiteral("Friendly"));
    }
    return s;
}

// Writes the dialog's entry into subkey i, as Add writes a new one.
void WriteNewServer(Registry& reg, int i, const TConnectFrm& dlg) {
    reg.DeleteKey(ServerKey(i)); // a fresh subkey: nothing of an earlier entry stays behind
    reg.OpenKey(ServerKey(i), true);
    reg.WriteString(QStringLiteral("TCPSocket"), dlg.eSocket->text());
    reg.WriteString(QStringLiteral("Host"), dlg.eHost->text());
    reg.WriteString(QStringLiteral("Friendly"), dlg.eFriendly->text());
    reg.WriteString(QStringLiteral("User"), dlg.eUser->text());
    if (dlg.CBSjetise->isChecked()) {
        reg.WriteInteger(QStringLiteral("Rememberpwd"), 1);
        reg.WriteString(QStringLiteral("Password"), dlg.ePassword->text());
    } else {
        reg.WriteInteger(QStringLiteral("Rememberpwd"), 0);
    }
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

void ShowListFull() {
    prompts().message(
        BiText(QStringLiteral("The server list is full: it keeps at most 255 servers!"),
               QStringLiteral("Lista servera je puna: može čuvati najviše 255 servera!")),
        PromptIcon::Warning);
}

// The number of saved servers; when there are none, says so and answers 0.
int SavedCountOrReport() {
    const int count = Registry().KeyExists(kHostlist) ? SavedCount() : 0;
    if (count == 0)
        prompts().message(BiText(QStringLiteral("No hosts in database!"),
                                 QStringLiteral("Nema hostova u bazi!")));
    return count;
}

} // namespace

void TQueryFrm1::LoadSavedServers() {
    Registry reg;
    const int count = SavedCount();
    edtHostname->clear();
    for (int i = 1; i <= count; ++i) {
        reg.OpenKey(ServerKey(i), true);
        const SavedServer s = ReadServer(reg, i);
        const QString hostEntry = s.user + QLatin1Char('>') + s.host;
        const QString friendlyEntry = s.user + QLatin1Char('>') + s.friendly;
        HostList.Add(hostEntry);
        FriendlyList.Add(friendlyEntry);
        edtHostname->addItem(Usefriendlyname1->isChecked() ? friendlyEntry : hostEntry);
        edtUsername->setText(s.user);
    }
    reg.CloseKey();
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
    const int mark = text.indexOf(QLatin1Char('>'));
    if (!text.isEmpty())
        edtUsername->setText(mark >= 0 ? text.left(mark) : text);
    QString host = text.mid(mark + 1);
    if (Usefriendlyname1->isChecked()) {
        Registry reg;
        if (reg.KeyExists(kHostlist)) {
            const int count = SavedCount();
            for (int i = 1; i <= count; ++i) {
                const SavedServer s = ReadServer(reg, i);
                if (s.user + QLatin1Char('>') + s.friendly == text) {
                    host = s.host;
                    break;
                }
            }
        } else {
            host.clear();
        }
    }
    CurrentHost = host;
    edtPasswd->setFocus();
}

void TQueryFrm1::edtPasswdEnter() {
    ShowDatabases1Click();
    RadioGroup1->setFocus();
}

void TQueryFrm1::Addhost1Click() {
    Registry reg;
    reg.OpenKey(kHostlist, true);
    const int count = SavedCount();
    if (count >= kMostServers) {
        ShowListFull();
        return;
    }
    const int n = count + 1;

    TConnectFrm dlg(this);
    prompts().runDialog(dlg);
    if (!dlg.Accepted())
        return;
    const QString user = dlg.eUser->text();
    const QString host = dlg.eHost->text();
    const QString hostEntry = user + QLatin1Char('>') + host;
    const QString friendlyEntry = user + QLatin1Char('>') + dlg.eFriendly->text();
    for (const QString& entry : HostList.Items()) {
        if (entry == hostEntry) {
            ShowHostExists(entry);
            return;
        }
    }
    if (FriendlyList.Contains(friendlyEntry)) {
        ShowFriendlyExists(friendlyEntry);
        return;
    }

    reg.OpenKey(kHostlist, true);
    reg.WriteInteger(QStringLiteral("Count"), n);
    WriteNewServer(reg, n, dlg);
    reg.CloseKey();
    HostList.Add(hostEntry);
    FriendlyList.Add(friendlyEntry);
    prompts().message(
        BiText(QStringLiteral("Host ") + hostEntry + QStringLiteral(" added to the list!"),
               QStringLiteral("Host ") + hostEntry + QStringLiteral(" dodan u listu!")));
    HostList.Clear();
    FriendlyList.Clear();
    LoadSavedServers();
}

void TQueryFrm1::Modifyhost1Click() {
    if (HostList.IsEmpty() || FriendlyList.IsEmpty())
        return;
    const int count = SavedCountOrReport();
    if (count == 0)
        return;
    Registry reg;

    TConnectFrm dlg(this);
    dlg.eHost->setText(CurrentHost);
    dlg.eUser->setText(edtUsername->text());
    int found = 0;
    SavedServer old;
    for (int i = 1; i <= count && !found; ++i) {
        if (!reg.OpenKey(ServerKey(i), false))
            continue;
        if (reg.ReadString(QStringLiteral("Host")) == CurrentHost &&
            reg.ReadString(QStringLiteral("User")) == edtUsername->text()) {
            found = i;
            old = ReadServer(reg, i);
            dlg.eFriendly->setText(reg.ReadString(QStringLiteral("Friendly")));
            dlg.eSocket->setText(reg.ReadString(QStringLiteral("TCPSocket")));
            dlg.CBSjetise->setChecked(reg.ReadInteger(QStringLiteral("Rememberpwd")) == 1);
            dlg.ePassword->setText(reg.ReadString(QStringLiteral("Password")));
        }
    }
    reg.CloseKey();

    prompts().runDialog(dlg);
    if (!dlg.Accepted())
        return;
    const QString user = dlg.eUser->text();
    const QString host = dlg.eHost->text();
    const QString hostEntry = user + QLatin1Char('>') + host;
    const QString friendlyEntry = user + QLatin1Char('>') + dlg.eFriendly->text();
    const QString oldHostEntry = old.user + QLatin1Char('>') + old.host;
    const QString oldFriendlyEntry = old.user + QLatin1Char('>') + old.friendly;

    // No other saved server may be overwritten or shadowed.
    if (HostList.Contains(hostEntry) && (!found || hostEntry != oldHostEntry)) {
        ShowHostExists(hostEntry);
        return;
    }
    if (FriendlyList.Contains(friendlyEntry) && (!found || friendlyEntry != oldFriendlyEntry)) {
        ShowFriendlyExists(friendlyEntry);
        return;
    }
    if (!found && count >= kMostServers) {
        ShowListFull();
        return;
    }

    if (found) {
        HostList.Remove(oldHostEntry);
        FriendlyList.Remove(oldFriendlyEntry);
    }
    HostList.Add(hostEntry);
    FriendlyList.Add(friendlyEntry);
    CurrentHost = host;
    Clear1Click();
    edtHostname->clear();

    if (found) {
        reg.OpenKey(ServerKey(found), true);
        reg.WriteString(QStringLiteral("Host"), host);
        reg.WriteString(QStringLiteral("User"), user);
        reg.WriteString(QStringLiteral("Friendly"), dlg.eFriendly->text());
        reg.WriteString(QStringLiteral("TCPSocket"), dlg.eSocket->text());
        const bool remember = dlg.CBSjetise->isChecked();
        reg.WriteInteger(QStringLiteral("Rememberpwd"), remember ? 1 : 0);
        reg.WriteString(QStringLiteral("Password"), remember ? dlg.ePassword->text() : QString());
    } else {
        // Nothing saved matched: the entry is new and is kept as Add keeps one.
        reg.OpenKey(kHostlist, true);
        reg.WriteInteger(QStringLiteral("Count"), count + 1);
        WriteNewServer(reg, count + 1, dlg);
    }
    reg.CloseKey();
    RefillHostnameItems();
}

void TQueryFrm1::Removehost1Click() {
    if (HostList.IsEmpty() || FriendlyList.IsEmpty())
        return;
    const int count = SavedCountOrReport();
    if (count == 0)
        return;
    Registry reg;

    TConnectFrm dlg(this);
    prompts().runDialog(dlg);
    if (!dlg.Accepted())
        return;
    const QString user = dlg.eUser->text();
    const QString host = dlg.eHost->text();
    const QString hostEntry = user + QLatin1Char('>') + host;
    if (!HostList.Contains(hostEntry)) {
        prompts().message(
            BiText(QStringLiteral("Invalid host name!"), QStringLiteral("Neispravno ime Hosta!")));
        return;
    }

    // The subkey of exactly this user and host goes; the ones after it move up one place, so
    // "H1" to "H<Count>" stay without gaps and in their order.
    int found = 0;
    SavedServer removed;
    for (int i = 1; i <= count && !found; ++i) {
        const SavedServer s = ReadServer(reg, i);
        if (s.user == user && s.host == host) {
            found = i;
            removed = s;
        }
    }
    HostList.Remove(hostEntry);
    FriendlyList.Remove(user + QLatin1Char('>') +
                        (found ? removed.friendly : dlg.eFriendly->text()));
    if (found) {
        for (int j = found + 1; j <= count; ++j) {
            const auto values = reg.ReadAll(ServerKey(j));
            reg.DeleteKey(ServerKey(j - 1));
            reg.WriteAll(ServerKey(j - 1), values);
        }
        reg.DeleteKey(ServerKey(count));
        reg.OpenKey(kHostlist, true);
        reg.WriteInteger(QStringLiteral("Count"), count - 1);
    }
    reg.CloseKey();

    CurrentHost.clear();
    Clear1Click();
    RefillHostnameItems();
    prompts().message(
        BiText(QStringLiteral("Host ") + host + QStringLiteral(" removed from the list!"),
               QStringLiteral("Host ") + host + QStringLiteral(" pobrisan iz liste!")));
}

void TQueryFrm1::Viewhostsfriendly1Click() {
    QString text =
        BiText(QStringLiteral("Hosts(friendly names):"), QStringLiteral("Hostovi(prijateljski):")) +
        kLineEnd;
    for (const QString& entry : FriendlyList.Items())
        text += entry + kLineEnd;
    prompts().message(text);
}

void TQueryFrm1::ViewhostsIP1Click() {
    QString text = BiText(QStringLiteral("Hosts:"), QStringLiteral("Hostovi:")) + kLineEnd;
    for (const QString& entry : HostList.Items())
        text += entry + kLineEnd;
    prompts().message(text);
}

void TQueryFrm1::Usefriendlyname1Click() {
    Usefriendlyname1->setChecked(!Usefriendlyname1->isChecked());
}
