#include "shell/saved_server_store.h"
#include "support/scripted_prompts.h"
#include "ui/registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Replaces the settings file with text, as an operator editing it by hand would.
void WriteSettingsFile(const QByteArray& text) {
    const QString path =
        QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).fileName();
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

SavedServer Server(const QString& host, const QString& user, const QString& friendly = {}) {
    SavedServer s;
    s.host = host;
    s.user = user;
    s.friendly = friendly;
    s.socket = QStringLiteral("3306");
    return s;
}

class SavedServerStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    SavedServerStore store;
};

TEST_F(SavedServerStoreTest, AppendFindAndTheEntryTexts) {
    EXPECT_FALSE(store.Exists());
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Find("root", "db1"), 0);

    EXPECT_EQ(store.Append(Server("db1", "root", "One")), 1);
    EXPECT_EQ(store.Append(Server("db1", "ana", "One")), 2);
    EXPECT_EQ(store.Append(Server("db1", "ana", "Again")), 3);
    EXPECT_TRUE(store.Exists());
    EXPECT_EQ(store.Count(), 3);
    // The first place with exactly that user and host.
    EXPECT_EQ(store.Find("ana", "db1"), 2);
    EXPECT_EQ(store.Find("Ana", "db1"), 0);
    EXPECT_EQ(store.Read(1).HostEntry(), "root>db1");
    EXPECT_EQ(store.Read(2).FriendlyEntry(), "ana>One");
    EXPECT_EQ(ServerEntry("a>b", "c"), "a>b>c");
}

// An entry is taken apart the way it was built, whatever the user name holds.
TEST(ServerEntry, SplitsBackIntoUserAndLabel) {
    struct Case {
        QString user, label;
    };
    for (const Case& c : {Case{"root", "127.0.0.1"}, Case{"a>b", "db.lan"}, Case{"ops@corp", "h"},
                          Case{"x@y>z", "10.0.0.1"}, Case{"root", ""}, Case{"", "h"}, Case{"", ""},
                          Case{"a>", "h"}}) {
        const QString entry = ServerEntry(c.user, c.label);
        const ServerEntryParts parts = SplitServerEntry(entry);
        EXPECT_EQ(parts.user, c.user) << entry.toStdString();
        EXPECT_EQ(parts.label, c.label) << entry.toStdString();
        EXPECT_EQ(ServerLabel(entry, c.user), c.label) << entry.toStdString();
    }
    // A friendly name may hold ">" too: the user name beside the list settles it.
    EXPECT_EQ(ServerLabel("a>b>Prod > EU", QStringLiteral("a>b")), "Prod > EU");
    EXPECT_EQ(ServerLabel("ana>Prod > EU", QStringLiteral("ana")), "Prod > EU");
    // A user name field that does not begin the entry changes nothing.
    EXPECT_EQ(ServerLabel("ana>db1", QStringLiteral("other")), "db1");
    // Text without the mark is both.
    EXPECT_EQ(SplitServerEntry("lonely").user, "lonely");
    EXPECT_EQ(SplitServerEntry("lonely").label, "lonely");
}

TEST_F(SavedServerStoreTest, PasswordsAreKeptOnlyWhenRemembered) {
    SavedServer s = Server("db1", "root");
    s.password = "secret";
    s.rememberPassword = true;
    store.Append(s);
    EXPECT_EQ(store.Read(1).password, "secret");
    EXPECT_TRUE(store.Read(1).rememberPassword);

    // A fresh entry in the same place keeps nothing of the earlier one.
    s.rememberPassword = false;
    store.WriteNew(1, s);
    EXPECT_EQ(store.Read(1).password, "");
    EXPECT_FALSE(Registry().ReadAll("Hostlist\\H1").contains("Password"));

    s.rememberPassword = true;
    store.Update(1, s);
    EXPECT_EQ(store.Read(1).password, "secret");
    s.rememberPassword = false;
    s.friendly = "Renamed";
    store.Update(1, s);
    const SavedServer back = store.Read(1);
    EXPECT_EQ(back.password, "");
    EXPECT_EQ(back.friendly, "Renamed");
    EXPECT_EQ(back.socket, "3306");
}

TEST_F(SavedServerStoreTest, RemovingRenumbersTheRestInOrder) {
    store.Append(Server("a", "root"));
    store.Append(Server("b", "root"));
    store.Append(Server("c", "root"));
    store.Remove(2);
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.Read(1).host, "a");
    EXPECT_EQ(store.Read(2).host, "c");
    EXPECT_FALSE(Registry().KeyExists("Hostlist\\H3"));

    store.Remove(0); // no such place: nothing changes
    store.Remove(3);
    EXPECT_EQ(store.Count(), 2);
    store.Remove(2);
    store.Remove(1);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(Registry().KeyExists("Hostlist\\H1"));
}

TEST_F(SavedServerStoreTest, AHandEditedFileWithGapsAndAnOversizedCount) {
    WriteSettingsFile("[Hostlist]\n"
                      "Count=259\n"
                      "[Hostlist\\H1]\n"
                      "Host=db1\nUser=root\nFriendly=One\n"
                      "[Hostlist\\H3]\n"
                      "Host=db3\nUser=ana\nRememberpwd=1\nPassword=pw\n");
    // The count is kept as a byte: 259 reads as 3.
    EXPECT_EQ(store.Count(), 3);
    // A missing place reads as a server with empty fields.
    const SavedServer gap = store.Read(2);
    EXPECT_TRUE(gap.host.isEmpty() && gap.user.isEmpty() && !gap.rememberPassword);
    EXPECT_EQ(gap.HostEntry(), ">");
    EXPECT_EQ(store.Read(3).password, "pw");
    EXPECT_EQ(store.Find("ana", "db3"), 3);

    // Removing the first moves the gap and the third up, in their order.
    store.Remove(1);
    EXPECT_EQ(store.Count(), 2);
    EXPECT_FALSE(Registry().KeyExists("Hostlist\\H1"));
    EXPECT_EQ(store.Read(2).HostEntry(), "ana>db3");
    EXPECT_EQ(store.Read(2).password, "pw");

    // A new server goes after the counted ones, gaps or not.
    EXPECT_EQ(store.Append(Server("db4", "root")), 3);
    EXPECT_EQ(store.Read(3).host, "db4");
}

} // namespace

namespace {

// The rights of a file as the system keeps them (rwx for owner, group, others).
unsigned Mode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777u : 0xFFFFu;
}

TEST_F(SavedServerStoreTest, ASettingsFileHoldingAPasswordIsReadByItsOwnerOnly) {
    const QString path =
        QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).fileName();
    // A file written before, readable by everybody.
    WriteSettingsFile("[General]\nLastUser=root\n");
    ::chmod(QFile::encodeName(path).constData(), 0644);
    SavedServer s = Server("db1", "root");
    s.password = "in plain text";
    s.rememberPassword = true;
    ASSERT_EQ(store.Append(s), 1);
    EXPECT_EQ(Mode(path), 0600u);
    // Later writes replace the file and keep its rights.
    ASSERT_EQ(store.Append(Server("db2", "ana")), 2);
    EXPECT_EQ(Mode(path), 0600u);
    EXPECT_EQ(store.Password(store.Read(1)), "in plain text");

    // A new file is created private before the password goes in.
    ClearSettings();
    QFile::remove(path);
    ASSERT_EQ(store.Append(s), 1);
    EXPECT_EQ(Mode(path), 0600u);
}

TEST_F(SavedServerStoreTest, WritesThatFailAreAnswered) {
    const QString path =
        QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).fileName();
    QFile::remove(path);
    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_EQ(store.Append(Server("db1", "root")), 0);
    EXPECT_FALSE(store.Update(1, Server("db1", "root")));
    QDir(path).removeRecursively();
}

} // namespace
