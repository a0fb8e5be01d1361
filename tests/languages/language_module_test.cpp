// Module file names, the locale table and loading modules from a folder.
#include "language_fixture.h"

#include <QCoreApplication>

TEST(LanguageModuleFiles, ExtensionReplacedThenTwoLetters) {
    EXPECT_EQ(
        LanguageModuleFiles(QStringLiteral("/opt/k/kestrel.exe"), QStringLiteral("HRV")),
        QStringList({QStringLiteral("/opt/k/kestrel.HRV"), QStringLiteral("/opt/k/kestrel.HR")}));
    // Without an extension the abbreviation is appended; a dot in a folder name is no extension.
    EXPECT_EQ(LanguageModuleFiles(QStringLiteral("/opt/k.1/kestrel"), QStringLiteral("ENU")),
              QStringList(
                  {QStringLiteral("/opt/k.1/kestrel.ENU"), QStringLiteral("/opt/k.1/kestrel.EN")}));
    EXPECT_EQ(LanguageModuleFiles(QStringLiteral("/opt/k/.kestrel"), QStringLiteral("ENG")).first(),
              QStringLiteral("/opt/k/.kestrel.ENG"));
    EXPECT_TRUE(LanguageModuleFiles(QStringLiteral("/opt/k/kestrel"), QString()).isEmpty());
}

TEST(LocaleIds, TableBothWays) {
    EXPECT_EQ(LocaleAbbreviation(1033), QStringLiteral("ENU"));
    EXPECT_EQ(LocaleAbbreviation(1050), QStringLiteral("HRV"));
    EXPECT_EQ(LocaleAbbreviation(2057), QStringLiteral("ENG"));
    EXPECT_TRUE(LocaleAbbreviation(0).isEmpty());
    EXPECT_TRUE(LocaleAbbreviation(12345).isEmpty());

    EXPECT_EQ(LocaleIdOf(QLocale(QStringLiteral("hr_HR"))), 1050);
    EXPECT_EQ(LocaleIdOf(QLocale(QStringLiteral("en_US"))), 1033);
    EXPECT_EQ(LocaleIdOf(QLocale(QStringLiteral("en_GB"))), 2057);
    EXPECT_EQ(LocaleIdOf(QLocale(QStringLiteral("de_AT"))), 3079);
    // A country the table lacks falls back to the language's main identifier.
    EXPECT_EQ(LocaleIdOf(QLocale(QStringLiteral("fr_LU"))), 1036);
    EXPECT_EQ(LocaleIdOf(QLocale::c()), 0);
}

TEST_F(LanguageTest, LoadsAndTranslates) {
    ASSERT_NO_FATAL_FAILURE(putBothModules());
    ASSERT_TRUE(LoadLanguageModule(1050));
    EXPECT_EQ(LanguageModuleInUse(), dir.filePath(QStringLiteral("kestrel.HRV")));
    EXPECT_EQ(QCoreApplication::translate("TQueryFrm1", "Language"), QStringLiteral("Jezik"));
    // The next module takes the place of the previous one.
    ASSERT_TRUE(LoadLanguageModule(1033));
    EXPECT_EQ(LanguageModuleInUse(), dir.filePath(QStringLiteral("kestrel.ENU")));
    EXPECT_EQ(QCoreApplication::translate("TQueryFrm1", "Language"), QStringLiteral("Language"));
}

TEST_F(LanguageTest, DamagedOrMissingModuleKeepsTheOneInUse) {
    ASSERT_NO_FATAL_FAILURE(putModule(QStringLiteral("ENU"), QStringLiteral("ENU")));
    ASSERT_TRUE(LoadLanguageModule(1033));
    QFile damaged(dir.filePath(QStringLiteral("kestrel.HRV")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a language module");
    damaged.close();
    EXPECT_FALSE(LoadLanguageModule(1050));
    EXPECT_FALSE(LoadLanguageModule(12345)); // no abbreviation for it
    EXPECT_EQ(LanguageModuleInUse(), dir.filePath(QStringLiteral("kestrel.ENU")));

    // A damaged three-letter module gives way to the two-letter one.
    ASSERT_NO_FATAL_FAILURE(putModule(QStringLiteral("HRV"), QStringLiteral("HR")));
    ASSERT_TRUE(LoadLanguageModule(1050));
    EXPECT_EQ(LanguageModuleInUse(), dir.filePath(QStringLiteral("kestrel.HR")));
}
