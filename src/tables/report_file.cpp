#include "tables/report_file.h"

#include "ui/launcher.h"
#include "ui/prompts.h"

#include <QDir>
#include <QSaveFile>

QString ReportPath(const QString& name) {
    return QDir::current().absoluteFilePath(name);
}

std::optional<QString> WriteReport(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

bool PublishReport(const QString& name, const QStringList& lines) {
    const QString path = ReportPath(name);
    if (const std::optional<QString> failure = WriteReport(path, lines)) {
        prompts().message(QDir::toNativeSeparators(path) + QStringLiteral(": ") + *failure,
                          PromptIcon::Error);
        return false;
    }
    launcher().openFile(path);
    return true;
}
