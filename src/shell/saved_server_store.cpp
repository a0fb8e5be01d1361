#include "shell/saved_server_store.h"

#include "shell/password_keyring.h"
#include "ui/language.h"
#include "ui/prompts.h"
#include "ui/registry.h"

namespace {

const QString kHostlist = QStringLiteral("Hostlist");
const QString kCount = QStringLiteral("Count");

QString ServerKey(int i) {
    return kHostlist + QStringLiteral("\\H%1").arg(i);
}

void WriteCount(Registry& reg, int count) {
    reg.OpenKey(kHostlist, true);
    reg.WriteInteger(kCount, count);
}

const QString kKeyringMark = QStringLiteral("Keyring");

// Once no keyring answered, the run does not wait for one again.
bool g_keyringMissing = false;
bool g_noticePending = false;

bool KeyringInUse() {
    return !g_keyringMissing && qEnvironmentVariable("KESTREL_KEYRING") != QStringLiteral("off");
}

// While the keyring keeps the operator waiting (it may be asking for its own password in a window
// of its own), the operator decides whether to wait on.
bool KeepWaitingForKeyring() {
    return prompts().askYesNo(BiText(
        QStringLiteral("The password keyring has not answered yet: it may be asking for its own "
                       "password in a window of its own. Wait for it?"),
        QStringLiteral("Spremnik zaporki još nije odgovorio: možda u svojem prozoru traži svoju "
                       "zaporku. Čekati ga?")));
}

// A keyring that refused or did not answer: the password goes into the settings file as plain
// text only when the operator says so.
bool PlainTextAllowed(const SavedServer& server, keyring::Outcome outcome, const QString& why) {
    const QString entry = server.HostEntry();
    const QString english =
        outcome == keyring::Outcome::Failed
            ? QStringLiteral("The password keyring refused to keep the password of %1: %2")
                  .arg(entry, why)
            : QStringLiteral("The password keyring did not answer for the password of %1.")
                  .arg(entry);
    const QString croatian =
        outcome == keyring::Outcome::Failed
            ? QStringLiteral("Spremnik zaporki odbio je spremiti zaporku za %1: %2").arg(entry, why)
            : QStringLiteral("Spremnik zaporki nije odgovorio za zaporku za %1.").arg(entry);
    return prompts().askWarningYesNo(BiText(
        english + QStringLiteral("\n\rKeep it in the settings file as plain text instead? With "
                                 "No the password is not remembered."),
        croatian + QStringLiteral("\n\rSpremiti je u datoteku postavki kao običan tekst? Uz Ne "
                                  "zaporka se ne pamti.")));
}

// Writes the remembered password of server into the open subkey: to the keyring when one takes
// it; as plain text, in a file only its owner reads, when there is no keyring at all or the
// operator allows it; else not at all ("Rememberpwd" = 0). False when the file could not be made
// private.
bool WriteRememberedPassword(Registry& reg, const SavedServer& server) {
    if (KeyringInUse()) {
        QString why;
        const keyring::Outcome outcome =
            keyring::Write(server.user, server.host, server.password, KeepWaitingForKeyring, &why);
        if (outcome == keyring::Outcome::Done) {
            reg.WriteInteger(kKeyringMark, 1);
            reg.WriteString(QStringLiteral("Password"), QString());
            return true;
        }
        if (outcome == keyring::Outcome::NoKeyring) {
            g_keyringMissing = true;
            g_noticePending = true;
        } else if (!PlainTextAllowed(server, outcome, why)) {
            reg.WriteInteger(QStringLiteral("Rememberpwd"), 0);
            reg.WriteInteger(kKeyringMark, 0);
            reg.WriteString(QStringLiteral("Password"), QString());
            return true;
        }
    }
    reg.WriteInteger(kKeyringMark, 0);
    if (!reg.MakePrivate())
        return false;
    reg.WriteString(QStringLiteral("Password"), server.password);
    return true;
}

// The entry's values but the password, into the open subkey.
void WriteFields(Registry& reg, const SavedServer& server) {
    reg.WriteString(QStringLiteral("TCPSocket"), server.socket);
    reg.WriteString(QStringLiteral("Host"), server.host);
    reg.WriteString(QStringLiteral("Friendly"), server.friendly);
    reg.WriteString(QStringLiteral("User"), server.user);
    reg.WriteInteger(QStringLiteral("Rememberpwd"), server.rememberPassword ? 1 : 0);
}

void ForgetKeyringPassword(const SavedServer& server) {
    if (server.passwordInKeyring)
        keyring::Remove(server.user, server.host);
}

} // namespace

bool SavedServerStore::Exists() const {
    return Registry().KeyExists(kHostlist);
}

int SavedServerStore::Count() const {
    Registry r;
    if (!r.OpenKey(kHostlist, false) || !r.ValueExists(kCount))
        return 0;
    return r.ReadInteger(kCount) & 0xFF;
}

SavedServer SavedServerStore::Read(int i) const {
    SavedServer s;
    Registry reg;
    if (reg.OpenKey(ServerKey(i), false)) {
        s.host = reg.ReadString(QStringLiteral("Host"));
        s.user = reg.ReadString(QStringLiteral("User"));
        s.friendly = reg.ReadString(QStringLiteral("Friendly"));
        s.socket = reg.ReadString(QStringLiteral("TCPSocket"));
        s.rememberPassword = reg.ReadInteger(QStringLiteral("Rememberpwd")) == 1;
        s.passwordInKeyring = reg.ValueExists(kKeyringMark) && reg.ReadInteger(kKeyringMark) == 1;
        if (!s.passwordInKeyring)
            s.password = reg.ReadString(QStringLiteral("Password"));
    }
    return s;
}

QString SavedServerStore::Password(const SavedServer& server) const {
    if (!server.passwordInKeyring)
        return server.password;
    return keyring::Read(server.user, server.host, KeepWaitingForKeyring).value_or(QString());
}

bool SavedServerStore::TakeKeyringMissingNotice() {
    const bool pending = g_noticePending;
    g_noticePending = false;
    return pending;
}

bool SavedServerStore::WriteNew(int i, const SavedServer& server) {
    Registry reg;
    if (reg.KeyExists(ServerKey(i)))
        ForgetKeyringPassword(Read(i));
    reg.DeleteKey(ServerKey(i));
    reg.OpenKey(ServerKey(i), true);
    WriteFields(reg, server);
    bool ok = true;
    if (server.rememberPassword)
        ok = WriteRememberedPassword(reg, server);
    return reg.Sync() && ok;
}

bool SavedServerStore::Update(int i, const SavedServer& server) {
    const SavedServer old = Read(i);
    if (old.passwordInKeyring &&
        (!server.rememberPassword || old.user != server.user || old.host != server.host))
        ForgetKeyringPassword(old);
    Registry reg;
    reg.OpenKey(ServerKey(i), true);
    WriteFields(reg, server);
    bool ok = true;
    if (server.rememberPassword) {
        ok = WriteRememberedPassword(reg, server);
    } else {
        if (old.passwordInKeyring)
            reg.WriteInteger(kKeyringMark, 0);
        reg.WriteString(QStringLiteral("Password"), QString());
    }
    return reg.Sync() && ok;
}

int SavedServerStore::Append(const SavedServer& server) {
    const int n = Count() + 1;
    Registry reg;
    WriteCount(reg, n);
    if (!reg.Sync() || !WriteNew(n, server))
        return 0;
    return n;
}

int SavedServerStore::Find(const QString& user, const QString& host) const {
    const int count = Count();
    for (int i = 1; i <= count; ++i) {
        const SavedServer s = Read(i);
        if (s.user == user && s.host == host)
            return i;
    }
    return 0;
}

bool SavedServerStore::Remove(int i) {
    const int count = Count();
    if (i < 1 || i > count)
        return true;
    ForgetKeyringPassword(Read(i));
    Registry reg;
    for (int j = i + 1; j <= count; ++j) {
        const auto values = reg.ReadAll(ServerKey(j));
        reg.DeleteKey(ServerKey(j - 1));
        reg.WriteAll(ServerKey(j - 1), values);
    }
    reg.DeleteKey(ServerKey(count));
    WriteCount(reg, count - 1);
    return reg.Sync();
}
