// Text reports ("struct.txt", "dbstruct.txt"): written to the working directory, the same place
// as "qry.txt", and opened from there in the desktop's text editor. A report is UTF-8 with lines
// ended by CR LF; it is written to a temporary file beside it and renamed over the old one, so an
// earlier report stays whole until the new one is complete.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The full path of the report called name in the working directory.
QString ReportPath(const QString& name);

// Replaces the file at path with lines. Nothing when it was written, else the system's reason.
std::optional<QString> WriteReport(const QString& path, const QStringList& lines);

// Writes the report called name and opens it in the text editor. When it cannot be written the
// reason is shown and no editor starts; the answer is false.
bool PublishReport(const QString& name, const QStringList& lines);
