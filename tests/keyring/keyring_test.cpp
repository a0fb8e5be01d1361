// Remembered passwords in a real Secret Service (gnome-keyring in a private D-Bus session, started
// by with_keyring.sh), and the answer when no keyring is there. KESTREL_EXPECT_KEYRING tells the
// test which of the two it runs in.
#include "shell/password_keyring.h"
#include "shell/saved_server_store.h"
#include "ui/registry.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

bool KeyringExpected() {
    return qEnvironmentVariable("KESTREL_EXPECT_KEYRING") == QStringLiteral("1");
}

TEST(Keyring, PasswordsByUserAndHost) {
    if (!KeyringExpected())
        GTEST_SKIP() << "runs in the keyring session";
    const QString odd = QStringLiteral("p'\"\\ š🙂 x");
    ASSERT_EQ(keyring::Write(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1"), odd),
              keyring::Outcome::Done);
    ASSERT_EQ(keyring::Write(QStringLiteral("kt_user"), QStringLiteral("db.example"),
                             QStringLiteral("other")),
              keyring::Outcome::Done);
    EXPECT_EQ(keyring::Read(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1")), odd);
    EXPECT_EQ(keyring::Read(QStringLiteral("kt_user"), QStringLiteral("db.example")),
              QStringLiteral("other"));
    EXPECT_FALSE(keyring::Read(QStringLiteral("kt_nobody"), QStringLiteral("127.0.0.1")));

    // A second write replaces; a removal leaves the other host alone.
    ASSERT_EQ(keyring::Write(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1"),
                             QStringLiteral("new")),
              keyring::Outcome::Done);
    EXPECT_EQ(keyring::Read(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1")),
              QStringLiteral("new"));
    keyring::Remove(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1"));
    EXPECT_FALSE(keyring::Read(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1")));
    EXPECT_EQ(keyring::Read(QStringLiteral("kt_user"), QStringLiteral("db.example")),
              QStringLiteral("other"));
    keyring::Remove(QStringLiteral("kt_user"), QStringLiteral("db.example"));
}

TEST(Keyring, WithoutAKeyringTheCallerIsToldAtOnce) {
    if (KeyringExpected())
        GTEST_SKIP() << "runs without a keyring";
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(keyring::Write(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1"),
                             QStringLiteral("pw")),
              keyring::Outcome::NoKeyring);
    EXPECT_FALSE(keyring::Read(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1")));
    keyring::Remove(QStringLiteral("kt_user"), QStringLiteral("127.0.0.1"));
}

SavedServer Remembered(const QString& password) {
    SavedServer s;
    s.host = QStringLiteral("127.0.0.9");
    s.user = QStringLiteral("kt_keyring");
    s.friendly = QStringLiteral("nine");
    s.rememberPassword = true;
    s.password = password;
    return s;
}

QString StoredText(int i, const QString& name) {
    Registry reg;
    reg.OpenKey(QStringLiteral("Hostlist\\H%1").arg(i), false);
    return reg.ValueExists(name) ? reg.ReadString(name) : QStringLiteral("<none>");
}

void ClearServers() {
    Registry().DeleteKey(QStringLiteral("Hostlist"));
}

TEST(KeyringStore, RememberedPasswordsLeaveTheSettingsFile) {
    if (!KeyringExpected())
        GTEST_SKIP() << "runs in the keyring session";
    ClearServers();
    SavedServerStore store;
    ASSERT_EQ(store.Append(Remembered(QStringLiteral("first pw"))), 1);
    EXPECT_EQ(StoredText(1, QStringLiteral("Password")), QString());
    EXPECT_EQ(StoredText(1, QStringLiteral("Keyring")), QStringLiteral("1"));
    const SavedServer read = store.Read(1);
    EXPECT_TRUE(read.passwordInKeyring);
    EXPECT_EQ(store.Password(read), QStringLiteral("first pw"));
    EXPECT_FALSE(SavedServerStore::TakeKeyringMissingNotice());

    // Not remembered any more: the keyring entry goes too.
    SavedServer forget = Remembered(QString());
    forget.rememberPassword = false;
    store.Update(1, forget);
    EXPECT_FALSE(keyring::Read(forget.user, forget.host));
    EXPECT_EQ(store.Password(store.Read(1)), QString());
    ClearServers();
}

TEST(KeyringStore, APlainPasswordMovesToTheKeyringAtTheNextSave) {
    if (!KeyringExpected())
        GTEST_SKIP() << "runs in the keyring session";
    ClearServers();
    {
        // As an earlier version wrote it.
        Registry reg;
        reg.OpenKey(QStringLiteral("Hostlist"), true);
        reg.WriteInteger(QStringLiteral("Count"), 1);
        reg.OpenKey(QStringLiteral("Hostlist\\H1"), true);
        reg.WriteString(QStringLiteral("Host"), QStringLiteral("127.0.0.9"));
        reg.WriteString(QStringLiteral("User"), QStringLiteral("kt_keyring"));
        reg.WriteInteger(QStringLiteral("Rememberpwd"), 1);
        reg.WriteString(QStringLiteral("Password"), QStringLiteral("old plain"));
    }
    SavedServerStore store;
    SavedServer s = store.Read(1);
    EXPECT_FALSE(s.passwordInKeyring);
    EXPECT_EQ(store.Password(s), QStringLiteral("old plain"));

    s.password = store.Password(s);
    store.Update(1, s);
    EXPECT_EQ(StoredText(1, QStringLiteral("Password")), QString());
    EXPECT_EQ(store.Password(store.Read(1)), QStringLiteral("old plain"));

    // Removing the server removes its keyring entry.
    store.Remove(1);
    EXPECT_FALSE(keyring::Read(QStringLiteral("kt_keyring"), QStringLiteral("127.0.0.9")));
    ClearServers();
}

TEST(KeyringStore, WithoutAKeyringThePasswordStaysInTheSettingsAndTheOperatorIsToldOnce) {
    if (KeyringExpected())
        GTEST_SKIP() << "runs without a keyring";
    ClearServers();
    SavedServerStore store;
    store.Append(Remembered(QStringLiteral("plain pw")));
    EXPECT_EQ(StoredText(1, QStringLiteral("Password")), QStringLiteral("plain pw"));
    EXPECT_EQ(store.Password(store.Read(1)), QStringLiteral("plain pw"));
    EXPECT_TRUE(SavedServerStore::TakeKeyringMissingNotice());
    store.Append(Remembered(QStringLiteral("second")));
    EXPECT_FALSE(SavedServerStore::TakeKeyringMissingNotice());
    ClearServers();
}

} // namespace
