// The program finds its own files in the installed data folder when they are not beside it, and
// Qt's own dialog texts follow the language module.
#include "language_fixture.h"
#include "shell/command_line.h"
#include "ui/program_files.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include <sstream>

namespace {

class InstalledFilesTest : public LanguageTest {
protected:
    // An installed layout inside the temporary folder: usr/bin/kestrel and usr/share/kestrel.
    QString installedProgram() {
        EXPECT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("usr/bin")));
        EXPECT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("usr/share/kestrel/Scripts")));
        return dir.filePath(QStringLiteral("usr/bin/kestrel"));
    }
};

TEST_F(InstalledFilesTest, LanguageModulesAndScriptsFromTheDataFolder) {
    const QString program = installedProgram();
    const QString data = dir.filePath(QStringLiteral("usr/share/kestrel"));
    EXPECT_EQ(InstalledDataFolder(program), data);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTREL_LANGUAGE_DIR "/kestrel.HRV"),
                            data + QStringLiteral("/kestrel.HRV")));
    languageProgramFile = [program] { return program; };

    ASSERT_TRUE(LoadLanguageModule(kLocaleCroatian));
    EXPECT_EQ(LanguageModuleInUse(), data + QStringLiteral("/kestrel.HRV"));
    EXPECT_FALSE(LoadLanguageModule(kLocaleEnglishUS)); // not installed: nothing changes
    EXPECT_EQ(LanguageModuleInUse(), data + QStringLiteral("/kestrel.HRV"));

    EXPECT_EQ(ProgramFilesFolder(program, QStringLiteral("Scripts")), data);
    // A folder beside the program (a build folder) wins over the installed one.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("usr/bin/Scripts")));
    EXPECT_EQ(ProgramFilesFolder(program, QStringLiteral("Scripts")),
              dir.filePath(QStringLiteral("usr/bin")));
    // Neither: beside the program.
    EXPECT_EQ(ProgramFilesFolder(program, QStringLiteral("Nowhere")),
              dir.filePath(QStringLiteral("usr/bin")));
}

TEST_F(InstalledFilesTest, StandardButtonsSpeakTheLanguageOfTheModule) {
    ASSERT_NO_FATAL_FAILURE(putBothModules());
    auto buttonTexts = [] {
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')) + QLatin1Char('/') +
               box.button(QMessageBox::No)->text().remove(QLatin1Char('&'));
    };
    ASSERT_TRUE(LoadLanguageModule(kLocaleCroatian));
    EXPECT_EQ(buttonTexts(), QStringLiteral("Da/Ne"));
    ASSERT_TRUE(LoadLanguageModule(kLocaleEnglishUS));
    EXPECT_EQ(buttonTexts(), QStringLiteral("Yes/No"));
    ASSERT_TRUE(LoadLanguageModule(kLocaleCroatian));
    ReleaseLanguageModule();
    EXPECT_EQ(buttonTexts(), QStringLiteral("Yes/No"));
}

TEST(CommandLine, HelpAndVersionAnswerWithoutStarting) {
    std::ostringstream out;
    const char* version[] = {"kestrel", "--version"};
    EXPECT_EQ(AnswerCommandLine(2, version, out), 0);
    EXPECT_EQ(out.str(), std::string("Kestrel ") + KestrelVersion() + "\n");
    out.str({});
    const char* help[] = {"kestrel", "-style", "fusion", "-h"};
    EXPECT_EQ(AnswerCommandLine(4, help, out), 0);
    EXPECT_NE(out.str().find("--version"), std::string::npos);
    const char* start[] = {"kestrel", "-style", "fusion"};
    EXPECT_FALSE(AnswerCommandLine(3, start, out).has_value());
}

} // namespace
