// The server window fixture with a recording launcher and the reports of the working directory,
// for the kt_tables_ databases (created as utf8mb4).
#pragma once

#include "support/server_window_fixture.h"

#include <QByteArray>

#include <memory>
#include <string>
#include <vector>

class TablesTest : public ServerWindowFixture {
protected:
    TablesTest() { createOptions = " CHARACTER SET utf8mb4"; }

    void SetEnglish() { window->English1->setChecked(true); }
    // The tables the server lists in a database, sorted.
    QStringList ServerTables(const std::string& database);

    // The report of that name in the working directory, empty when there is none.
    QByteArray Report(const char* name) const;
    QString ReportPath(const char* name) const;

    RecordingLauncher launched;
};

// Lines joined with CR LF after each, as the reports are written (UTF-8).
QByteArray CrLfLines(const QStringList& lines);
