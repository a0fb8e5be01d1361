// The texts that Status, Show processes and Kill process build from a server's rows. Every line,
// the heading included, ends with LF followed by CR.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

inline const QString kListingLineEnd = QStringLiteral("\n\r");

// Seconds as hours:minutes:seconds, each at least two digits ("01:02:05", "100:00:00").
QString FormatUptime(qint64 seconds);

// "STATUS:" and one "name: value" line per row; the row named exactly "Uptime" shows its value
// through FormatUptime.
QString StatusListing(const std::vector<QStringList>& rows);
// "VARIABLES:" and one "name: value" line per row.
QString VariablesListing(const std::vector<QStringList>& rows);

// One process-list row as "Id: 12/ User: admin/ ..." with the labels of the current language.
QString ProcessLine(const QStringList& row);
// "PROC:" and one ProcessLine per row.
QString ProcessListing(const std::vector<QStringList>& rows);
