// Text reports ("struct.txt", "dbstruct.txt"): written to the working directory, the same place
// as "qry.txt", and opened from there in the desktop's text editor. A report is written as every
// text file for the operator is (ui/text_lines_file.h): an earlier report stays whole until the
// new one is complete.
#pragma once

#include <QString>
#include <QStringList>

// The full path of the report called name in the working directory.
QString ReportPath(const QString& name);

// Writes the report called name and opens it in the text editor. When it cannot be written the
// reason is shown and no editor starts; the answer is false.
bool PublishReport(const QString& name, const QStringList& lines);
