#include "shell/saved_server_store.h"

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
        s.password = reg.ReadString(QStringLiteral("Password"));
    }
    return s;
}

void SavedServerStore::WriteNew(int i, const SavedServer& server) {
    Registry reg;
    reg.DeleteKey(ServerKey(i));
    reg.OpenKey(ServerKey(i), true);
    reg.WriteString(QStringLiteral("TCPSocket"), server.socket);
    reg.WriteString(QStringLiteral("Host"), server.host);
    reg.WriteString(QStringLiteral("Friendly"), server.friendly);
    reg.WriteString(QStringLiteral("User"), server.user);
    reg.WriteInteger(QStringLiteral("Rememberpwd"), server.rememberPassword ? 1 : 0);
    if (server.rememberPassword)
        reg.WriteString(QStringLiteral("Password"), server.password);
}

void SavedServerStore::Update(int i, const SavedServer& server) {
    Registry reg;
    reg.OpenKey(ServerKey(i), true);
    reg.WriteString(QStringLiteral("Host"), server.host);
    reg.WriteString(QStringLiteral("User"), server.user);
    reg.WriteString(QStringLiteral("Friendly"), server.friendly);
    reg.WriteString(QStringLiteral("TCPSocket"), server.socket);
    reg.WriteInteger(QStringLiteral("Rememberpwd"), server.rememberPassword ? 1 : 0);
    reg.WriteString(QStringLiteral("Password"),
                    server.rememberPassword ? server.password : QString());
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
    Registry reg;
    for (int j = i + 1; j <= count; ++j) {
        const auto values = reg.ReadAll(ServerKey(j));
        reg.DeleteKey(ServerKey(j - 1));
        reg.WriteAll(ServerKey(j - 1), values);
    }
    reg.DeleteKey(ServerKey(count));
    WriteCount(reg, count - 1);
}
