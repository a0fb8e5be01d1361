#include "shell/saved_server_store.h"

#include "shell/password_keyring.h"
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

// Writes the remembered password of server into the open subkey: to the keyring when one takes
// it, else as plain text.
void WriteRememberedPassword(Registry& reg, const SavedServer& server) {
    if (KeyringInUse()) {
        const keyring::Outcome outcome = keyring::Write(server.user, server.host, server.password);
        if (outcome == keyring::Outcome::Done) {
            reg.WriteInteger(kKeyringMark, 1);
            reg.WriteString(QStringLiteral("Password"), QString());
            return;
        }
        if (outcome == keyring::Outcome::NoKeyring) {
            g_keyringMissing = true;
            g_noticePending = true;
        }
    }
    reg.WriteInteger(kKeyringMark, 0);
    reg.WriteString(QStringLiteral("Password"), server.password);
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

QString ServerEntry(const QString& user, const QString& label) {
    return user + QLatin1Char('>') + label;
}

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
    return keyring::Read(server.user, server.host).value_or(QString());
}

bool SavedServerStore::TakeKeyringMissingNotice() {
    const bool pending = g_noticePending;
    g_noticePending = false;
    return pending;
}

void SavedServerStore::WriteNew(int i, const SavedServer& server) {
    Registry reg;
    if (reg.KeyExists(ServerKey(i)))
        ForgetKeyringPassword(Read(i));
    reg.DeleteKey(ServerKey(i));
    reg.OpenKey(ServerKey(i), true);
    WriteFields(reg, server);
    if (server.rememberPassword)
        WriteRememberedPassword(reg, server);
}

void SavedServerStore::Update(int i, const SavedServer& server) {
    const SavedServer old = Read(i);
    if (old.passwordInKeyring &&
        (!server.rememberPassword || old.user != server.user || old.host != server.host))
        ForgetKeyringPassword(old);
    Registry reg;
    reg.OpenKey(ServerKey(i), true);
    WriteFields(reg, server);
    if (server.rememberPassword) {
        WriteRememberedPassword(reg, server);
    } else {
        if (old.passwordInKeyring)
            reg.WriteInteger(kKeyringMark, 0);
        reg.WriteString(QStringLiteral("Password"), QString());
    }
}

int SavedServerStore::Append(const SavedServer& server) {
    const int n = Count() + 1;
    Registry reg;
    WriteCount(reg, n);
    WriteNew(n, server);
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

void SavedServerStore::Remove(int i) {
    const int count = Count();
    if (i < 1 || i > count)
        return;
    ForgetKeyringPassword(Read(i));
    Registry reg;
    for (int j = i + 1; j <= count; ++j) {
        const auto values = reg.ReadAll(ServerKey(j));
        reg.DeleteKey(ServerKey(j - 1));
        reg.WriteAll(ServerKey(j - 1), values);
    }
    reg.DeleteKey(ServerKey(count));
    WriteCount(reg, count - 1);
}
