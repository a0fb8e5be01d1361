// The main window fixture with the data module, a recording launcher, a temporary working
// directory (where the reports go) and a root connection to the test server for setting up the
// kt_tables_ databases and checking what the commands did.
#pragma once

#include "shell/dm1.h"
#include "support/main_window_fixture.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

class TablesTest : public MainWindowFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Chooses the server entry "root>testsrv" on the test server with root's password.
    void ChooseRoot();
    void SetEnglish() { window->English1->setChecked(true); }

    // A fresh database of the test, dropped again at the end.
    void CreateDatabase(const std::string& name);
    // Runs a statement in a database of the test as root.
    void Exec(const std::string& database, const std::string& sql);
    // The tables the server lists in a database, sorted.
    QStringList ServerTables(const std::string& database);
    std::string Value(const std::string& sql) { return root->Value(sql); }

    // Lists the databases as "Show Databases" does, then clicks the named one in RadioGroup1.
    void ClickDatabase(const std::string& name);
    // Selects the named table of ListBox1 as a left click does.
    void SelectTable(const QString& name);

    // The report of that name in the working directory, empty when there is none.
    QByteArray Report(const char* name) const;
    QString ReportPath(const char* name) const;

    RecordingLauncher launched;
    std::unique_ptr<testserver::RootConnection> root;
    std::unique_ptr<TDM1> dm;
    QTemporaryDir workDir;
    QString previousDir;
    std::vector<std::string> created;
};

// Lines joined with CR LF after each, as the reports are written (UTF-8).
QByteArray CrLfLines(const QStringList& lines);
