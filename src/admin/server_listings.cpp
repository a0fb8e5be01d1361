#include "admin/server_listings.h"

#include "ui/language.h"

namespace {

QString TwoDigits(qint64 n) {
    if (n <= 0)
        return QStringLiteral("00");
    if (n < 10)
        return QLatin1Char('0') + QString::number(n);
    return QString::number(n);
}

QString Column(const QStringList& row, int i) {
    return i < row.size() ? row[i] : QString();
}

QString NameValueListing(const QString& heading, const std::vector<QStringList>& rows,
                         bool formatUptime) {
    QString text = heading + kListingLineEnd;
    for (const QStringList& row : rows) {
        const QString name = Column(row, 0);
        if (formatUptime && name == QLatin1String("Uptime"))
            text += QStringLiteral("Uptime: ") + FormatUptime(Column(row, 1).toLongLong()) +
                    kListingLineEnd;
        else
            text += name + QStringLiteral(": ") + Column(row, 1) + kListingLineEnd;
    }
    return text;
}

} // namespace

QString FormatUptime(qint64 seconds) {
    qint64 s = seconds;
    const qint64 h = s / 60 / 60;
    if (h > 0)
        s -= 3600 * h;
    const qint64 m = s / 60;
    if (m > 0)
        s -= 60 * m;
    return TwoDigits(h) + QLatin1Char(':') + TwoDigits(m) + QLatin1Char(':') + TwoDigits(s);
}

QString StatusListing(const std::vector<QStringList>& rows) {
    return NameValueListing(QStringLiteral("STATUS:"), rows, true);
}

QString VariablesListing(const std::vector<QStringList>& rows) {
    return NameValueListing(QStringLiteral("VARIABLES:"), rows, false);
}

QString ProcessLine(const QStringList& row) {
    const QString labels[8] = {
        QStringLiteral("Id: "),
        BiText(QStringLiteral("/ User: "), QStringLiteral("/ Korisnik: ")),
        QStringLiteral("/ Host: "),
        QStringLiteral("/ DB: "),
        BiText(QStringLiteral("/ Command: "), QStringLiteral("/ Komanda: ")),
        BiText(QStringLiteral("/ Time: "), QStringLiteral("/ Vrijeme: ")),
        BiText(QStringLiteral("/ State: "), QStringLiteral("/ Status: ")),
        QStringLiteral("/ Info: "),
    };
    QString line;
    for (int i = 0; i < 8; ++i)
        line += labels[i] + Column(row, i);
    return line + kListingLineEnd;
}

QString ProcessListing(const std::vector<QStringList>& rows) {
    QString text = QStringLiteral("PROC:") + kListingLineEnd;
    for (const QStringList& row : rows)
        text += ProcessLine(row);
    return text;
}
