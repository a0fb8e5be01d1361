// The fixed-width lines of the database structure report, without a server.
#include "tables/dump_format.h"
#include "ui/language.h"

#include <QAction>

#include <gtest/gtest.h>

using namespace dump;

namespace {

// The language flag of these tests: a checkable item like the main window's English1.
class DumpFormatTest : public ::testing::Test {
protected:
    void SetUp() override {
        english1.setCheckable(true);
        english1.setChecked(true);
        setLanguageFlagItem(&english1);
    }
    void TearDown() override { setLanguageFlagItem(nullptr); }
    void SetCroatian() { english1.setChecked(false); }

    QAction english1;
};

qsizetype Characters(const QString& s) {
    return s.toUcs4().size();
}

} // namespace

TEST_F(DumpFormatTest, OrdinaryFieldLinesAreEightySixCharactersWide) {
    const QStringList lines = FieldLines(9, {"id", "int(11)", "NO", "PRI", "", "auto_increment"});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], QStringLiteral("  9. id") + QString(25, ' ') + QStringLiteral("int(11)") +
                            QString(10, ' ') + QStringLiteral("NO   PRI ") + QString(12, ' ') +
                            QStringLiteral("auto_increment  "));
    EXPECT_EQ(Characters(lines[0]), 86);
    EXPECT_EQ(FieldLines(10, {"a", "b", "", "", "", ""})[0].left(8), QStringLiteral(" 10. a  "));
    EXPECT_EQ(Characters(FieldHeader()), 86);
    SetCroatian();
    EXPECT_EQ(Characters(FieldHeader()), 86);
    EXPECT_EQ(FieldHeader().left(32), QStringLiteral("     Ime polja                  "));
}

TEST_F(DumpFormatTest, LongNamesAndTypesContinueOnOneLine) {
    // A 30-character name: 25 characters and two blanks, the rest on the next line.
    const QStringList name =
        FieldLines(1, {"abcdefghijklmnopqrstuvwxyz1234", "int(11)", "YES", "", "NULL", ""});
    ASSERT_EQ(name.size(), 2);
    EXPECT_EQ(name[0].mid(5, 27), QStringLiteral("abcdefghijklmnopqrstuvwxy  "));
    EXPECT_EQ(name[1],
              QString(5, ' ') + QStringLiteral("z1234") + QString(22, ' ') + QString(17, ' '));

    // Croatian letters are cut as characters: the 25th character is kept whole.
    const QString croatian = QStringLiteral("šifra_čvorišta_županijskog_središta"); // 35 characters
    const QStringList cut = FieldLines(1, {croatian, "int(11)", "", "", "", ""});
    EXPECT_EQ(cut[0].mid(5, 25), croatian.left(25));
    EXPECT_EQ(cut[1].mid(5, 10), croatian.mid(25));
    EXPECT_EQ(QString::fromUtf8(cut[0].toUtf8()), cut[0]);

    // A type over 15 characters continues below the type column; one over 17 after it gets a blank.
    const QString shortEnum = QStringLiteral("enum('a','bb','ccc')"); // 20 characters
    const QStringList enumLines = FieldLines(2, {"size", shortEnum, "YES", "", "NULL", ""});
    EXPECT_EQ(enumLines[0].mid(32, 17), QStringLiteral("enum('a','bb','  "));
    EXPECT_EQ(enumLines[1], QString(32, ' ') + QStringLiteral("ccc')") + QString(12, ' '));
    const QString longEnum = QStringLiteral("enum('") + QString(320, 'x') + QStringLiteral("')");
    const QStringList longLines = FieldLines(3, {"kind", longEnum, "YES", "", "NULL", ""});
    ASSERT_EQ(longLines.size(), 2);
    EXPECT_EQ(longLines[1], QString(32, ' ') + longEnum.mid(15) + QLatin1Char(' '));
}

TEST_F(DumpFormatTest, WideValuesAreWrittenWholeWithABlankAfter) {
    const QStringList lines =
        FieldLines(1, {"changed", "datetime", "YES", "", "current_timestamp()",
                       "on update current_timestamp()"});
    EXPECT_EQ(lines[0].mid(49),
              QStringLiteral("YES") + QString(6, ' ') +
                  QStringLiteral("current_timestamp() on update current_timestamp() "));
    EXPECT_EQ(Cell(QStringLiteral("abcd"), 4), QStringLiteral("abcd "));
    EXPECT_EQ(Cell(QStringLiteral("abc"), 4), QStringLiteral("abc "));
}

TEST_F(DumpFormatTest, IndexLinesAndHeadersInBothLanguages) {
    const QStringList key{"t", "1", "idx", "1", "name", "A", "0", "", "YES", "BTREE"};
    EXPECT_EQ(IndexLine(1, key), QStringLiteral("  1. idx\tnot unique\t1\tname\tA\t0\t"));
    EXPECT_EQ(IndexHeader(),
              QStringLiteral("     KEYName\t\tSeque.\tFIELDName\tCollat.\tCardin.\tSubpart"));
    SetCroatian();
    EXPECT_EQ(IndexLine(12, key), QStringLiteral(" 12. idx\tnije jedi.\t1\tname\tA\t0\t"));
    QStringList unique = key;
    unique[1] = QStringLiteral("0");
    EXPECT_EQ(IndexLine(1, unique).section('\t', 1, 1), QStringLiteral("jedinstven"));
    EXPECT_EQ(IndexHeader(),
              QStringLiteral("   IMEključa\t\tPored.\tIMEpolja \tSort.  \tKardin.\tDio    "));
}

TEST_F(DumpFormatTest, ATableTheServerCouldNotDescribeCarriesItsErrorText) {
    TableSection broken;
    broken.table = QStringLiteral("v");
    broken.fieldsError = QStringLiteral("View 'd.v' references invalid table(s)");
    broken.keysError = broken.fieldsError;
    EXPECT_EQ(SectionLines(broken),
              QStringList({"v table:", "Definition", "", FieldHeader(), broken.fieldsError, "",
                           "KEYinfo:", "", IndexHeader(), broken.keysError, "", ""}));
}
