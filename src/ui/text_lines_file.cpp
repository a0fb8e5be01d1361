#include "ui/text_lines_file.h"

#include <QSaveFile>

std::optional<QString> WriteTextLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    // Buffered bytes are flushed here, not left to commit(): commit() renames the file over the
    // old one even when that last flush failed (a disk that filled up, a size limit).
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
