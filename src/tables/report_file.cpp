#include "tables/report_file.h"

#include "ui/launcher.h"
#include "ui/prompts.h"
#include "ui/text_lines_file.h"

#include <QDir>

QString ReportPath(const QString& name) {
    return QDir::current().absoluteFilePath(name);
}

bool PublishReport(const QString& name, const QStringList& lines) {
    const QString path = ReportPath(name);
    if (const std::optional<QString> failure = WriteTextLines(path, lines)) {
        prompts().message(QDir::toNativeSeparators(path) + QStringLiteral(": ") + *failure,
                          PromptIcon::Error);
        return false;
    }
    launcher().openFile(path);
    return true;
}
