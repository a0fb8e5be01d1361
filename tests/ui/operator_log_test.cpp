// Errors and warnings shown to the operator land in the log, one line each, with the command that
// met them, and no password ever does.
#include "support/scripted_prompts.h"
#include "ui/operator_log.h"
#include "ui/prompts.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
