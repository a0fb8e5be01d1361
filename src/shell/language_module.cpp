#include "shell/language_module.h"

#include "shell/locale_ids.h"
#include "ui/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

std::function<QString()> languageProgramFile = [] {
    return QCoreApplication::applicationFilePath();
};

namespace {

// The module in use. QTranslator reads the data in place, so the bytes live as long as it does.
struct Module {
    QString file;
    QByteArray data;
    std::unique_ptr<QTranslator> translator;
};

std::unique_ptr<Module> g_inUse;

// Qt's own texts (standard buttons, the file dialog) in the language of the module in use.
std::unique_ptr<QTranslator> g_qtTexts;

void UseQtTexts(int localeId) {
    if (g_qtTexts) {
        QCoreApplication::removeTranslator(g_qtTexts.get());
        g_qtTexts.reset();
    }
    const QLocale locale = LocaleOfId(localeId);
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return; // Qt's texts are English already
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        g_qtTexts = std::move(translator);
    }
}

std::unique_ptr<Module> ReadModule(const QString& file) {
    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly))
        return nullptr;
    auto m = std::make_unique<Module>();
    m->file = file;
    m->data = f.readAll();
    m->translator = std::make_unique<QTranslator>();
    const auto* bytes = reinterpret_cast<const uchar*>(m->data.constData());
    if (m->data.isEmpty() || !m->translator->load(bytes, int(m->data.size())))
        return nullptr;
    return m;
}

} // namespace

QStringList LanguageModuleFiles(const QString& programFile, const QString& abbreviation) {
    if (abbreviation.isEmpty())
        return {};
    // Only the file name counts: a "." in a folder name is no extension.
    const QFileInfo info(programFile);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString base = info.dir().filePath(stem) + QLatin1Char('.');
    QStringList files{base + abbreviation};
    if (abbreviation.size() > 2)
        files.append(base + abbreviation.left(2));
    return files;
}

bool LoadLanguageModule(int localeId) {
    // Beside the program in a build folder, else in the installed data folder.
    const QString program = languageProgramFile();
    const QString installedTwin =
        QDir(InstalledDataFolder(program)).filePath(QFileInfo(program).fileName());
    const QString abbreviation = LocaleAbbreviation(localeId);
    const QStringList files = LanguageModuleFiles(program, abbreviation) +
                              LanguageModuleFiles(installedTwin, abbreviation);
    for (const QString& file : files) {
        std::unique_ptr<Module> next = ReadModule(file);
        if (!next)
            continue;
        QCoreApplication::installTranslator(next->translator.get());
        ReleaseLanguageModule();
        g_inUse = std::move(next);
        UseQtTexts(localeId);
        return true;
    }
    return false;
}

QString LanguageModuleInUse() {
    return g_inUse ? g_inUse->file : QString();
}

void ReleaseLanguageModule() {
    if (!g_inUse)
        return;
    QCoreApplication::removeTranslator(g_inUse->translator.get());
    g_inUse.reset();
    if (g_qtTexts) {
        QCoreApplication::removeTranslator(g_qtTexts.get());
        g_qtTexts.reset();
    }
}
