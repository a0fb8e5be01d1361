// Errors and warnings shown to the operator land in the log, one line each, with the command that
// met them, and no password ever does.
#include "support/scripted_prompts.h"
#include "ui/operator_log.h"
#include "ui/prompts.h"
#include "ui/statement_passwords.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class OperatorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = operatorLogFile;
        operatorLogFile = [this] { return dir.filePath(QStringLiteral("sub/kestrel.log")); };
    }
    void TearDown() override { operatorLogFile = saved; }
    QStringList lines() {
        QFile f(operatorLogFile());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    std::function<QString()> saved;
};

TEST_F(OperatorLogTest, ErrorsAndWarningsWithTheirCommandOneLineEach) {
    ScriptedPrompts scripted;
    {
        OperatorCommand command(QStringLiteral("Ping1"));
        prompts().message(QStringLiteral("Dead!\n\rsecond line"), PromptIcon::Error);
        prompts().message(QStringLiteral("Just so you know"), PromptIcon::Information);
        {
            OperatorCommand inner(QStringLiteral("ShowDatabases1"));
            prompts().message(QStringLiteral("Careful"), PromptIcon::Warning);
        }
        prompts().message(QStringLiteral("again"), PromptIcon::Error);
    }
    prompts().message(QStringLiteral("outside"), PromptIcon::Error);
    EXPECT_EQ(scripted.shown.size(), 5); // the operator still sees every box

    const QStringList log = lines();
    ASSERT_EQ(log.size(), 4);
    EXPECT_TRUE(log[0].endsWith(QStringLiteral(" Ping1: Dead! / second line")))
        << log[0].toStdString();
    EXPECT_TRUE(log[1].endsWith(QStringLiteral(" ShowDatabases1: Careful")));
    EXPECT_TRUE(log[2].endsWith(QStringLiteral(" Ping1: again")));
    EXPECT_TRUE(log[3].endsWith(QStringLiteral(" -: outside")));
    // An ISO time stamp leads each line.
    EXPECT_TRUE(
        QDateTime::fromString(log[0].section(QLatin1Char(' '), 0, 0), Qt::ISODateWithMs).isValid());
}

TEST_F(OperatorLogTest, PasswordsAreMasked) {
    RegisterSecret(QStringLiteral("s3cr3t-operator"));
    EXPECT_EQ(
        MaskPasswords(QStringLiteral("CREATE USER 'u'@'h' IDENTIFIED BY 'it''s \\' x' failed")),
        QStringLiteral("CREATE USER 'u'@'h' IDENTIFIED BY '***' failed"));
    EXPECT_EQ(MaskPasswords(QStringLiteral("VALUES (\"h\", PASSWORD(\"a\\\"b\"), \"Y\")")),
              QStringLiteral("VALUES (\"h\", PASSWORD('***'), \"Y\")"));
    EXPECT_EQ(MaskPasswords(QStringLiteral("identified by password '*ABC'")),
              QStringLiteral("identified by password '***'"));
    ScriptedPrompts scripted;
    prompts().message(QStringLiteral("Access denied for s3cr3t-operator"), PromptIcon::Error);
    ASSERT_EQ(lines().size(), 1);
    EXPECT_FALSE(lines()[0].contains(QStringLiteral("s3cr3t")));
}

} // namespace

namespace {

TEST(StatementPasswords, TakenFromTheStatementWhateverItsShape) {
    const auto read = [](const char* sql) { return StatementPasswords(QString::fromUtf8(sql)); };
    EXPECT_EQ(read("CREATE USER u IDENTIFIED WITH mysql_native_password BY 'pw1'"),
              QStringList{QStringLiteral("pw1")});
    EXPECT_EQ(read("create user u identified by pw2;"), QStringList{QStringLiteral("pw2")});
    EXPECT_EQ(read("SET PASSWORD FOR u@h = PASSWORD(pw3)"), QStringList{QStringLiteral("pw3")});
    EXPECT_EQ(read("SET PASSWORD = 'pw4'"), QStringList{QStringLiteral("pw4")});
    EXPECT_EQ(read("ALTER USER u IDENTIFIED BY 'pw5 still open  "),
              QStringList{QStringLiteral("pw5 still open")});
    // As written and as the server reads it.
    EXPECT_EQ(read("GRANT ALL ON *.* TO u IDENTIFIED BY 'it''s\\\\x'"),
              (QStringList{QStringLiteral("it''s\\\\x"), QStringLiteral("it's\\x")}));
    EXPECT_EQ(read("CREATE USER a IDENTIFIED VIA ed25519 USING PASSWORD('pw6') OR unix_socket, "
                   "b IDENTIFIED BY \"pw7\", c IDENTIFIED BY PASSWORD '*HASH'"),
              (QStringList{QStringLiteral("pw6"), QStringLiteral("pw7"), QStringLiteral("*HASH")}));
    // Words in quotes and comments are no keywords; no value, no password.
    EXPECT_TRUE(
        read("SELECT 'IDENTIFIED BY x' /* PASSWORD(y) */, z -- SET PASSWORD = w").isEmpty());
    EXPECT_TRUE(read("CREATE USER u IDENTIFIED BY").isEmpty());
    // A backslash escapes nothing in a name between backticks.
    EXPECT_EQ(read("CREATE USER `a\\` IDENTIFIED BY 'pw8'"), QStringList{QStringLiteral("pw8")});
}

TEST_F(OperatorLogTest, ThePasswordsOfAStatementAreMaskedWhereverTheyAppear) {
    RegisterStatementSecrets(
        QStringLiteral("CREATE USER u IDENTIFIED WITH plugin BY 'Kq7longpassword'"));
    RegisterStatementSecrets(QStringLiteral("SET PASSWORD = PASSWORD(Kq7bare)"));
    EXPECT_EQ(MaskPasswords(QStringLiteral("syntax near 'BY 'Kq7longpassword'' at line 1")),
              QStringLiteral("syntax near 'BY '***'' at line 1"));
    EXPECT_EQ(MaskPasswords(QStringLiteral("Unknown column 'Kq7bare' in 'field list'")),
              QStringLiteral("Unknown column '***' in 'field list'"));
    // Cut short by the server ("...") or by the length of a shown text.
    EXPECT_EQ(MaskPasswords(QStringLiteral("near 'BY 'Kq7longp...' at line 1")),
              QStringLiteral("near 'BY '***...' at line 1"));
    EXPECT_EQ(MaskPasswords(QStringLiteral("near 'BY 'Kq7lon")), QStringLiteral("near 'BY '***"));
}

// The rights of a file as the system keeps them (rwx for owner, group, others).
unsigned Mode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777u : 0xFFFFu;
}

TEST_F(OperatorLogTest, OnlyItsOwnerReadsTheLog) {
    WriteOperatorLog(QStringLiteral("first"));
    EXPECT_EQ(Mode(operatorLogFile()), 0600u);
    // A log an earlier version left readable by others is closed at the next line.
    ::chmod(QFile::encodeName(operatorLogFile()).constData(), 0644);
    WriteOperatorLog(QStringLiteral("second"));
    EXPECT_EQ(Mode(operatorLogFile()), 0600u);
    EXPECT_EQ(lines().size(), 2);
}

} // namespace
