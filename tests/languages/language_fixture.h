// Language modules for a test: a temporary folder that plays the program's folder, holding the
// modules the test puts there, and a system locale the test chooses. Everything goes back to the
// defaults afterwards, the module in use released.
#pragma once

#include "shell/language_module.h"
#include "shell/locale_ids.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        savedProgramFile = languageProgramFile;
        savedLocale = systemLocale;
        languageProgramFile = [this] { return dir.filePath(QStringLiteral("kestrel")); };
        systemLocale = [] { return QLocale(QLocale::English, QLocale::UnitedStates); };
    }
    void TearDown() override {
        ReleaseLanguageModule();
        languageProgramFile = savedProgramFile;
        systemLocale = savedLocale;
    }

    // Copies a built module ("ENU", "HRV") into the folder under the given extension.
    void putModule(const QString& built, const QString& extension) {
        const QString from = QStringLiteral(KESTREL_LANGUAGE_DIR "/kestrel.") + built;
        const QString to = dir.filePath(QStringLiteral("kestrel.") + extension);
        ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
    }
    void putBothModules() {
        ASSERT_NO_FATAL_FAILURE(putModule(QStringLiteral("ENU"), QStringLiteral("ENU")));
        ASSERT_NO_FATAL_FAILURE(putModule(QStringLiteral("HRV"), QStringLiteral("HRV")));
    }

    QTemporaryDir dir;

private:
    std::function<QString()> savedProgramFile;
    std::function<QLocale()> savedLocale;
};
