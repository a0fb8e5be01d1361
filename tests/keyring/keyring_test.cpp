// Remembered passwords in a real Secret Service (gnome-keyring in a private D-Bus session, started
// by with_keyring.sh), and the answer when no keyring is there. KESTREL_EXPECT_KEYRING tells the
// test which of the two it runs in.
#include "shell/password_keyring.h"

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

} // namespace
