#include "tables_fixture.h"

#include "data/sql_names.h"

#include <QDir>
#include <QFile>

QStringList TablesTest::ServerTables(const std::string& database) {
    QStringList names;
    for (const auto& row : root->Rows("SHOW TABLES FROM " + QuoteName(database)))
        names.append(QString::fromStdString(row.at(0)));
    names.sort();
    return names;
}

QString TablesTest::ReportPath(const char* name) const {
    return QDir(workDir.path()).absoluteFilePath(QString::fromLatin1(name));
}

QByteArray TablesTest::Report(const char* name) const {
    QFile file(ReportPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray CrLfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}
