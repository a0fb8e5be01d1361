// What the known-database dump does not show: Croatian index lines and headers, and names cut
// in characters when a character takes two UTF-16 units.
#include "tables/dump_format.h"
#include "ui/language.h"

#include <QAction>

#include <gtest/gtest.h>

using namespace dump;

TEST(DumpFormatTest, CroatianIndexLinesAndHeaders) {
    QAction english1;
    english1.setCheckable(true);
    english1.setChecked(false);
    setLanguageFlagItem(&english1);
    QStringList key{"t", "1", "idx", "1", "name", "A", "0", "", "YES", "BTREE"};
    EXPECT_EQ(IndexLine(12, key), QStringLiteral(" 12. idx\tnije jedi.\t1\tname\tA\t0\t"));
    key[1] = QStringLiteral("0");
    EXPECT_EQ(IndexLine(1, key), QStringLiteral("  1. idx\tjedinstven\t1\tname\tA\t0\t"));
    EXPECT_EQ(IndexHeader(),
              QStringLiteral("   IMEključa\t\tPored.\tIMEpolja \tSort.  \tKardin.\tDio    "));
    EXPECT_EQ(FieldHeader(), QStringLiteral("     Ime polja                  Tip              NULL "
                                            "Key Default     Extra           "));
    setLanguageFlagItem(nullptr);
}

TEST(DumpFormatTest, NamesAreCutInCharacters) {
    // 30 letters outside the basic plane, two UTF-16 units each.
    QString name;
    for (char32_t c = U'\U0001D400'; c < U'\U0001D41E'; ++c)
        name += QString::fromUcs4(&c, 1);
    const QStringList lines = FieldLines(1, {name, "int(11)", "", "", "", ""});
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].toUcs4().size(), 86);
    EXPECT_EQ(lines[0].mid(5, 50), name.left(50));
    EXPECT_EQ(lines[1].mid(5, 10), name.mid(50));
    EXPECT_EQ(QString::fromUtf8(lines[0].toUtf8()), lines[0]);
}
