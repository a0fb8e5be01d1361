// The one writer of the text files left for the operator (qry.txt, the table reports).
#include "support/file_size_limit.h"

#include "ui/text_lines_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

TEST(TextLinesFile, LinesAreUtf8EndedByCrLfAndReplaceTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    EXPECT_EQ(WriteTextLines(path, {QStringLiteral("first version, a longer line")}), std::nullopt);
    EXPECT_EQ(WriteTextLines(path, {QStringLiteral("Šljiva"), QString(), QStringLiteral("b")}),
              std::nullopt);
    EXPECT_EQ(Bytes(path), QByteArray("\xC5\xA0ljiva\r\n\r\nb\r\n"));
    EXPECT_EQ(WriteTextLines(path, {}), std::nullopt);
    EXPECT_EQ(Bytes(path), QByteArray());
    // Nothing is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"report.txt"}));
}

TEST(TextLinesFile, AWriteThatFailsLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    ASSERT_EQ(WriteTextLines(path, {QStringLiteral("the old report")}), std::nullopt);
    const QStringList big(200, QString(100, QLatin1Char('x')));
    {
        // The disk fills up half way through the new report.
        const FileSizeLimit limit(4096);
        const std::optional<QString> failure = WriteTextLines(path, big);
        ASSERT_TRUE(failure.has_value());
        EXPECT_FALSE(failure->isEmpty());
    }
    EXPECT_EQ(Bytes(path), QByteArray("the old report\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"report.txt"}));

    // A folder in the file's place, or a folder that is not there: the reason, nothing written.
    EXPECT_TRUE(WriteTextLines(dir.path(), {QStringLiteral("x")}).has_value());
    EXPECT_TRUE(WriteTextLines(dir.filePath(QStringLiteral("no/such/report.txt")), {}).has_value());
}

} // namespace
