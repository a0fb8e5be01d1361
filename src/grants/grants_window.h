// "Grants wizard": creates a user and gives it privileges on a server, through a grantor account
// of the operator's choosing and a connection of its own. Seven pages, moved through with the
// buttons only: the new user, the grantor and server, global privileges, databases, host and
// database privileges, tables, columns.
#pragma once

#include "ui/retranslatable.h"

#include <QDialog>
#include <QSet>
#include <QStringList>

#include <cstddef>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class TCheckListBox;
struct GrantInputs;
struct PrivilegeChoice;

// How the server keeps its accounts, as the grant check found it.
enum class PrivilegeLayout {
    Unknown,  // no grant check has passed in this window
    Tables,   // user, host and db are plain tables: the wizard writes rows into them
    Accounts, // user is a view: the wizard sends CREATE USER and GRANT
};

class TfrmGrants : public QDialog, public Retranslatable {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 430;
    static constexpr int kDesignHeight = 307;
    enum Page { User, ServerGrantor, Userfrm, DBs, HostDBfrm, Tables, Columns };

    // servers: the addresses offered in clbHosts, in the order given.
    explicit TfrmGrants(const QStringList& servers, QWidget* parent = nullptr);
    ~TfrmGrants() override;
    void retranslateUi() override;

    PrivilegeLayout layout() const { return layout_; }
    int pageIndex() const;

    QStackedWidget* PC1;
    QWidget *UserPage, *ServerGrantorPage, *UserfrmPage, *DBsPage, *HostDBfrmPage, *TablesPage,
        *ColumnsPage;
    QLineEdit *edUser, *edFromhost, *edPwd, *edConfirm, *Grantor, *GrantorPWD;
    TCheckListBox *clbHosts, *clbUserpriv, *clbDB, *clbHostpriv, *clbDBpriv, *clbTable,
        *clbTablepriv, *clbTableColpriv, *clbCol, *clbColpriv;
    QPlainTextEdit *Memo1, *Memo2, *Memo3, *Memo4, *Memo5, *Memo6, *Memo7;
    // The line that says how the checked server keeps its accounts.
    QLabel* lblLayout;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7, *BitBtn8,
        *BitBtn9, *BitBtn10, *BitBtn11, *BitBtn12, *BitBtn13, *BitBtn14, *BitBtn15, *BitBtn16,
        *BitBtn17, *BitBtn18;

    // Page flow and steps (the buttons run them).
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn10Click();
    void BitBtn11Click();
    void BitBtn12Click();
    void BitBtn13Click();
    void BitBtn14Click();
    void BitBtn15Click();
    void BitBtn16Click();
    void BitBtn17Click();
    void BitBtn18Click();
    void clbHostsClickCheck(int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    // The wizard's pages in the order they are shown, one function each; buildPages() makes
    // PC1, calls them and connects the buttons.
    void buildPages();
    void buildUserPage();
    void buildServerGrantorPage();
    void buildUserfrmPage();
    void buildDBsPage();
    void buildHostDBfrmPage();
    void buildTablesPage();
    void buildColumnsPage();
    // A page with its help text, the next in PC1.
    QWidget* newPage(const char* name, QPlainTextEdit*& memo);
    void ShowPage(int index);
    void FormClose();
    void ShowLayoutLine();

    // Grantor connection (grants_discovery.cpp)
    bool OpenGrantor(const QString& server, const QString& database);
    void ShowGrantorError();
    bool RunGrantCheck(const QString& server);
    bool DiscoverHostAndDbPrivileges();
    bool DiscoverTables();
    bool DiscoverColumns();
    // Appends the first value of every row of sql, run in database (none when empty).
    bool ListFirstValues(const QString& database, const std::string& sql, TCheckListBox* into);
    QString DiscoveryDatabase() const;
    bool ChooseTargetDatabase();

    // Write steps (grants_steps.cpp)
    GrantInputs Inputs() const;
    bool StepAllowed();
    bool AskAndOpen(const QString& question);
    bool KnownPrivileges(const PrivilegeChoice& choice);
    std::size_t WriteTable(const std::vector<std::string>& statements, const QString& table);
    // The new user with its global privileges: a user row, or CREATE USER and GRANT.
    void WriteUserRow();
    // The host and database privileges on the target database.
    void WriteHostAndDbRows();
    // The table privileges on every checked table; the answer is the tables granted.
    QStringList WriteTablePrivileges();
    // The column privileges on the checked columns of the Columns page's table.
    void WriteColumnPrivileges();

    QLabel *lblUser, *lblFromhost, *lblPwd, *lblGrantor, *lblGrantorPWD, *lblHosts, *lblUserpriv,
        *lblDB, *lblHostpriv, *lblDBpriv, *lblTable, *lblTablepriv, *lblTableColpriv, *lblCol,
        *lblColpriv;
    PrivilegeLayout layout_ = PrivilegeLayout::Unknown;
    // The server whose grant check passed in this window; empty when none did.
    QString checkedServer_;
    // The table whose columns the Columns page lists and grants on.
    QString columnsTable_;
    // Tables on which a table or column step granted something since the tables were listed.
    QSet<QString> grantedTables_;
    bool closed_ = false;
};
