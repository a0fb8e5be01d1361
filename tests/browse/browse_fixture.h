// An offscreen main window with its data module, a chosen server, scripted prompts, a temporary
// working directory (for qry.txt) and a root connection to the test server for setting up the
// kt_browse_ databases and checking what the commands did.
#pragma once

#include "shell/dm1.h"
#include "shell/query_frm1.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// ScriptedPrompts that also record where file dialogs start and what they offer.
class BrowsePrompts : public ScriptedPrompts {
public:
    QStringList fileDialogDirs;
    QStringList fileDialogFilters;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
};

class BrowseTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Chooses a server entry "user>label" on the test server, with user name and password.
    void Choose(const QString& user, const QString& password,
                const QString& label = QStringLiteral("testsrv"));
    void ChooseRoot() { Choose(QStringLiteral("root"), QStringLiteral("kestrel")); }
    void SetCroatian() { window->English1->setChecked(false); }

    // A fresh database of the test, dropped again at the end.
    void CreateDatabase(const std::string& name);
    // Runs statements in a database of the test as root.
    void Exec(const std::string& database, const std::string& sql);
    std::string Value(const std::string& sql) { return root->Value(sql); }

    // Lists the databases as "Show Databases" does, then clicks the named one in RadioGroup1.
    void ClickDatabase(const std::string& name);
    // Selects the named table of ListBox1 as a left click does (without its handler).
    void SelectTable(const QString& name);
    void SetMemo(const QStringList& lines);
    QStringList MemoText() const;
    // Status bar panels 0 to 5.
    QStringList Panels() const;
    void FillPanels(const QString& text);
    void ForgetPrompts();

    TMySQLQuery& Query() { return dm->MySQLQuery1; }
    TMySQLDatabase& Database() { return dm->MySQLDatabase1; }

    BrowsePrompts prompts;
    std::unique_ptr<testserver::RootConnection> root;
    std::unique_ptr<TQueryFrm1> window;
    std::unique_ptr<TDM1> dm;
    QTemporaryDir workDir;
    QString previousDir;
    std::vector<std::string> created;
};
