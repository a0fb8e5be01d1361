#include "ui/operator_log.h"

#include "ui/statement_passwords.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

std::function<QString()> operatorLogFile = [] {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kestrel/kestrel.log");
};

namespace {

constexpr qint64 kLogLimit = 1024 * 1024;

QString g_command;
QSet<QString> g_secrets;

// A password cut short by the server's own shortening of a quoted statement ("near '…'" keeps
// some 80 characters and marks the cut with "...") or by the 200-character limit of shown texts
// still shows its beginning: a beginning of at least this many characters is masked where the
// text is cut.
constexpr qsizetype kShortestCutSecret = 3;

QString MaskCutSecret(QString text, const QString& secret) {
    for (qsizetype k = secret.size() - 1; k >= kShortestCutSecret; --k) {
        const QString start = secret.left(k);
        text.replace(start + QStringLiteral("..."), QStringLiteral("***..."));
        if (text.endsWith(start))
            text = text.left(text.size() - k) + QStringLiteral("***");
    }
    return text;
}

} // namespace

void RegisterStatementSecrets(const QString& sql) {
    for (const QString& value : StatementPasswords(sql))
        RegisterSecret(value);
}

QString MaskPasswords(const QString& text) {
    // A quoted value: '…' or "…" with doubled quotes or backslash escapes inside.
    static const QRegularExpression statements(
        QStringLiteral(R"((IDENTIFIED\s+BY\s+(?:PASSWORD\s+)?|PASSWORD\s*\(\s*))"
                       R"(('(?:[^'\\]|\\.|'')*'?|"(?:[^"\\]|\\.|"")*"?))"),
        QRegularExpression::CaseInsensitiveOption);
    QString masked = text;
    masked.replace(statements, QStringLiteral("\\1'***'"));
    // Longer secrets first, so that one holding another is masked whole.
    QStringList secrets(g_secrets.begin(), g_secrets.end());
    std::sort(secrets.begin(), secrets.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& secret : secrets)
        masked.replace(secret, QStringLiteral("***"));
    for (const QString& secret : secrets)
        masked = MaskCutSecret(masked, secret);
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
    // Only its owner reads the log, also one written by an earlier version.
    constexpr QFileDevice::Permissions kOwnerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QFile out(file);
    if (!out.open(QIODevice::Append | QIODevice::Text, kOwnerOnly))
        return;
    if (out.permissions() != kOwnerOnly)
        out.setPermissions(kOwnerOnly);
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
