// The main window fixture with the data module, a temporary working directory (for qry.txt and the
// reports) and a root connection to the test server for setting up the test's databases and
// checking what the commands did: the base of the browse and table-tool tests.
#pragma once

#include "shell/data_module.h"
#include "support/main_window_fixture.h"
#include "support/scratch_database.h"

#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

class ServerWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Chooses a server entry "user>label" on the test server, with user name and password.
    void Choose(const QString& user, const QString& password,
                const QString& label = QStringLiteral("testsrv")) {
        ChooseServer(user, password, QString::fromLatin1(testserver::kHost), label);
    }
    void ChooseRoot() {
        Choose(QString::fromLatin1(testserver::kRootUser),
               QString::fromLatin1(testserver::kRootPassword));
    }

    // A fresh database of the test under exactly this name (created with createOptions), dropped
    // again at the end: the tests' expected reports and lists hold the names.
    void CreateDatabase(const std::string& name);
    // Runs a statement in a database of the test as root.
    void Exec(const std::string& database, const std::string& sql);
    std::string Value(const std::string& sql) { return root->Value(sql); }

    // Lists the databases as "Show Databases" does, then clicks the named one in RadioGroup1.
    void ClickDatabase(const std::string& name);
    // Selects the named table of ListBox1 as a left click does (without its handler).
    void SelectTable(const QString& name);

    TMySQLQuery& Query() { return dm->MySQLQuery1; }
    TMySQLDatabase& Database() { return dm->MySQLDatabase1; }

    std::string createOptions; // appended to CREATE DATABASE
    std::unique_ptr<testserver::RootConnection> root;
    std::unique_ptr<TDM1> dm;
    QTemporaryDir workDir;
    QString previousDir;
    std::vector<std::unique_ptr<testserver::ScratchDatabase>> created;
};
