// Text files the program leaves for the operator to read (qry.txt, the table reports): UTF-8, each
// line ended by CR LF. A file is written to a temporary file beside it and renamed over the old
// one, so a reader sees the old file or the new one whole, and a write that fails leaves the old
// file as it was.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Replaces the file at path with lines. Nothing when it was written, else the system's reason.
std::optional<QString> WriteTextLines(const QString& path, const QStringList& lines);
