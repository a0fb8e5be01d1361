#include "ui/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString InstalledDataFolder(const QString& programFile) {
    const QDir bin = QFileInfo(programFile).dir();
    return QDir::cleanPath(bin.filePath(QStringLiteral("../share/kestrel")));
}

QString ProgramFilesFolder(const QString& programFile, const QString& entry) {
    const QString beside = QFileInfo(programFile).dir().path();
    if (QFileInfo::exists(QDir(beside).filePath(entry)))
        return beside;
    const QString installed = InstalledDataFolder(programFile);
    if (QFileInfo::exists(QDir(installed).filePath(entry)))
        return installed;
    return beside;
}

QString ProgramFilesFolder(const QString& entry) {
    return ProgramFilesFolder(QCoreApplication::applicationFilePath(), entry);
}
