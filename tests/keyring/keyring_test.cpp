// Remembered passwords in a real Secret Service (gnome-keyring in a private D-Bus session, started
// by with_keyring.sh), and the answer when no keyring is there. KESTREL_EXPECT_KEYRING tells the
// test which of the two it runs in.
#include "shell/password_keyring.h"
#include "shell/saved_server_store.h"
#include "ui/registry.h"

#include "support/scripted_prompts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>

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

// The process that owns a name on this private session bus: the keyring daemon the session
// started for the test.
qint64 OwnerPid(const QString& name) {
    QProcess gdbus;
    gdbus.start(QStringLiteral("gdbus"),
                {QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("--object-path"),
                 QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("--method"),
                 QStringLiteral("org.freedesktop.DBus.GetConnectionUnixProcessID"), name});
    if (!gdbus.waitForFinished(10000))
        return 0;
    const auto match = QRegularExpression(QStringLiteral("uint32 (\\d+)"))
                           .match(QString::fromUtf8(gdbus.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

// Scripted prompts that run a hook when a question is asked, before it is answered.
class HookedPrompts : public ScriptedPrompts {
public:
    std::function<void()> onQuestion;
    bool askYesNo(const QString& text) override {
        if (onQuestion)
            onQuestion();
        return ScriptedPrompts::askYesNo(text);
    }
};

const QString kStillWaiting = QStringLiteral(
    "The password keyring has not answered yet: it may be asking for its own password in a "
    "window of its own. Wait for it?");

// A keyring that keeps its answer back (as while it asks the user for its own password) is the
// same keyring: the operator is asked whether to wait, and the password goes into the keyring
// once it answers, never into the settings file meanwhile. The daemon is held with SIGSTOP and
// let go when the question comes.
class SlowKeyring : public ::testing::Test {
protected:
    void SetUp() override {
        if (!KeyringExpected())
            GTEST_SKIP() << "runs in the keyring session";
        ClearServers();
        keyring::Read(QStringLiteral("kt_nobody"), QStringLiteral("x")); // the service is up
        daemon = OwnerPid(QStringLiteral("org.freedesktop.secrets"));
        ASSERT_GT(daemon, 0);
    }
    void TearDown() override {
        if (daemon > 0)
            ::kill(static_cast<pid_t>(daemon), SIGCONT);
        ClearServers();
    }
    void Hold() { ::kill(static_cast<pid_t>(daemon), SIGSTOP); }
    void LetGo() { ::kill(static_cast<pid_t>(daemon), SIGCONT); }

    qint64 daemon = 0;
    HookedPrompts prompts;
};

TEST_F(SlowKeyring, IsWaitedForAndKeepsThePassword) {
    prompts.yesNo = {true};
    prompts.onQuestion = [this] { LetGo(); };
    Hold();
    SavedServerStore store;
    ASSERT_EQ(store.Append(Remembered(QStringLiteral("waited pw"))), 1);
    EXPECT_EQ(prompts.shown, QStringList{kStillWaiting});
    EXPECT_EQ(StoredText(1, QStringLiteral("Password")), QString());
    EXPECT_EQ(StoredText(1, QStringLiteral("Keyring")), QStringLiteral("1"));
    EXPECT_EQ(store.Password(store.Read(1)), QStringLiteral("waited pw"));
    EXPECT_FALSE(SavedServerStore::TakeKeyringMissingNotice());

    // Reading it back waits the same way.
    prompts.yesNo = {true};
    Hold();
    EXPECT_EQ(store.Password(store.Read(1)), QStringLiteral("waited pw"));
    EXPECT_EQ(prompts.shown, (QStringList{kStillWaiting, kStillWaiting}));
    keyring::Remove(QStringLiteral("kt_keyring"), QStringLiteral("127.0.0.9"));
}

TEST_F(SlowKeyring, PlainTextOnlyWhenTheOperatorSaysSo) {
    // Stop waiting, and no plain text: the password is not remembered anywhere.
    prompts.yesNo = {false, false};
    Hold();
    SavedServerStore store;
    ASSERT_EQ(store.Append(Remembered(QStringLiteral("not kept"))), 1);
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_EQ(prompts.shown[0], kStillWaiting);
    EXPECT_EQ(prompts.shown[1],
              QStringLiteral("The password keyring did not answer for the password of "
                             "kt_keyring>127.0.0.9.\n\rKeep it in the settings file as plain text "
                             "instead? With No the password is not remembered."));
    EXPECT_EQ(StoredText(1, QStringLiteral("Password")), QString());
    EXPECT_EQ(StoredText(1, QStringLiteral("Rememberpwd")), QStringLiteral("0"));
    // The write the keyring does once it answers is taken back.
    LetGo();
    bool gone = false;
    for (int i = 0; i < 50 && !gone; ++i) {
        QTest::qWait(100);
        gone = !keyring::Read(QStringLiteral("kt_keyring"), QStringLiteral("127.0.0.9"));
    }
    EXPECT_TRUE(gone);

    // Yes: plain text, in a file only its owner reads.
    Hold();
    prompts.shown.clear();
    prompts.yesNo = {false, true};
    ASSERT_EQ(store.Append(Remembered(QStringLiteral("plain by consent"))), 2);
    LetGo();
    EXPECT_EQ(prompts.shown.size(), 2);
    EXPECT_EQ(StoredText(2, QStringLiteral("Password")), QStringLiteral("plain by consent"));
    struct stat st {};
    ASSERT_EQ(
        ::stat(QFile::encodeName(
                   QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).fileName())
                   .constData(),
               &st),
        0);
    EXPECT_EQ(st.st_mode & 0777u, 0600u);
}

// gnome-keyring asking for the password of its locked keyring in a window of its own (gcr's
// prompter, on the virtual display this run has): the operator is asked whether to wait, and when
// the prompt ends in a refusal, that is told before anything goes into the settings file.
TEST(PromptingKeyring, IsWaitedForAndItsRefusalIsTold) {
    if (qEnvironmentVariable("KESTREL_EXPECT_PROMPT") != QStringLiteral("1"))
        GTEST_SKIP() << "runs with a keyring that prompts on a display";
    ClearServers();
    keyring::Read(QStringLiteral("kt_nobody"), QStringLiteral("x")); // the service is up
    QProcess lock;
    lock.start(QStringLiteral("gdbus"),
               {QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                QStringLiteral("org.freedesktop.secrets"), QStringLiteral("--object-path"),
                QStringLiteral("/org/freedesktop/secrets"), QStringLiteral("--method"),
                QStringLiteral("org.freedesktop.Secret.Service.Lock"),
                QStringLiteral("['/org/freedesktop/secrets/aliases/default']")});
    ASSERT_TRUE(lock.waitForFinished(10000));
    ASSERT_EQ(lock.exitCode(), 0) << lock.readAllStandardError().toStdString();

    // The operator waits; meanwhile the keyring's prompt is closed without an answer.
    HookedPrompts prompts;
    prompts.onQuestion = [&] {
        if (prompts.shown.isEmpty()) {
            const qint64 prompter = OwnerPid(QStringLiteral("org.gnome.keyring.SystemPrompter"));
            ASSERT_GT(prompter, 0);
            ::kill(static_cast<pid_t>(prompter), SIGTERM);
        }
    };
    prompts.yesNo = {true, false};
    SavedServerStore store;
    ASSERT_EQ(store.Append(Remembered(QStringLiteral("prompted pw"))), 1);
    ASSERT_EQ(prompts.shown.size(), 2) << prompts.shown.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(prompts.shown[0], kStillWaiting);
    EXPECT_TRUE(prompts.shown[1].startsWith(QStringLiteral(
        "The password keyring refused to keep the password of kt_keyring>127.0.0.9: ")))
        << prompts.shown[1].toStdString();
    EXPECT_EQ(StoredText(1, QStringLiteral("Password")), QString());
    EXPECT_EQ(StoredText(1, QStringLiteral("Rememberpwd")), QStringLiteral("0"));
    ClearServers();
}

} // namespace
