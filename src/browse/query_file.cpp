#include "browse/query_file.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

std::optional<QString> SaveQueryFile(const QStringList& lines) {
    const QString name = QString::fromLatin1(kQueryFileName);
    QFile file(name);
    if (QFileInfo::exists(name) && !file.remove())
        return file.errorString();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file.errorString();
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        return reason;
    }
    file.close();
    return std::nullopt;
}

bool FirstQueryFileFailure() {
    static bool told = false;
    return !std::exchange(told, true);
}
