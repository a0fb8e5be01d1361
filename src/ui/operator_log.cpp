#include "ui/operator_log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

std::function<QString()> operatorLogFile = [] {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kestrel/kestrel.log");
};

namespace {

constexpr qint64 kLogLimit = 1024 * 1024;

QString g_command;
QSet<QString> g_secrets;

} // namespace

QString MaskPasswords(const QString& text) {
    // A quoted value: '…' or "…" with doubled quotes or backslash escapes inside.
    static const QRegularExpression statements(
        QStringLiteral(R"((IDENTIFIED\s+BY\s+(?:PASSWORD\s+)?|PASSWORD\s*\(\s*))"
                       R"(('(?:[^'\\]|\\.|'')*'?|"(?:[^"\\]|\\.|"")*"?))"),
        QRegularExpression::CaseInsensitiveOption);
    QString masked = text;
    masked.replace(statements, QStringLiteral("\\1'***'"));
    for (const QString& secret : g_secrets)
        masked.replace(secret, QStringLiteral("***"));
    return masked;
}

void RegisterSecret(const QString& secret) {
    if (!secret.isEmpty())
        g_secrets.insert(secret);
}

void WriteOperatorLog(const QString& text) {
    const QString file = operatorLogFile();
    if (file.isEmpty())
        return;
    QDir().mkpath(QFileInfo(file).path());
    if (QFileInfo(file).size() > kLogLimit) {
        QFile::remove(file + QStringLiteral(".1"));
        QFile::rename(file, file + QStringLiteral(".1"));
    }
    QString line = MaskPasswords(text);
    // One entry, one line: the program's LF CR and CR LF line ends become " / ".
    line.replace(QRegularExpression(QStringLiteral("[\\r\\n]+")), QStringLiteral(" / "));
    const QString command = g_command.isEmpty() ? QStringLiteral("-") : g_command;
    QFile out(file);
    if (!out.open(QIODevice::Append | QIODevice::Text))
        return;
    out.write((QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') +
               command + QStringLiteral(": ") + line + QLatin1Char('\n'))
                  .toUtf8());
}

OperatorCommand::OperatorCommand(const QString& name) : previous_(g_command) {
    g_command = name;
}

OperatorCommand::~OperatorCommand() {
    g_command = previous_;
}

QString OperatorCommand::Current() {
    return g_command;
}
