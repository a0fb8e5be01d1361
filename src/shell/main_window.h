// The main administration window: menus, toolbar, the "Connect Info" box, the database, table and
// query panels, the data grid with its navigator, and the status bar. Every command of the program
// starts here.
#pragma once

#include "commands/command_context.h"
#include "data/server_session.h"
#include "ui/retranslatable.h"
#include "ui/sorted_string_list.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QTableView;
class QToolButton;
class TDBGrid;
class TDBNavigator;
class TFilterBar;
class TDataSource;
class TDM1;
class TForm1;
class TRadioGroup;
class TStatusBar;
class StatementRunner;
struct MainCommand;

class TQueryFrm1 : public QMainWindow, public Retranslatable, public CommandContext {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 764;
    static constexpr int kDesignHeight = 524;

    explicit TQueryFrm1(QWidget* parent = nullptr);
    ~TQueryFrm1() override;

    // The screen area the small-screen rule looks at; tests replace it.
    static std::function<QRect()> screenArea;

    // Shared state of the commands.
    QString CurrentHost;
    ServerSession AdminHandle; // the command session
    SortedStringList HostList;
    SortedStringList FriendlyList;

    // Whether the create handler scaled the window for a small screen.
    bool scaledForSmallScreen() const { return scaled_; }

    // Empties status panels 0 to 4.
    void ClearStatusPanels();

    // What the commands see of the window.
    ConnectionInputs connectionInputs() const override;
    ServerSession& commandSession() override { return AdminHandle; }
    TRadioGroup& databaseList() override { return *RadioGroup1; }
    QListWidget& tableList() override { return *ListBox1; }
    QLineEdit& databaseEdit() override { return *edtDatabase; }
    QPlainTextEdit& queryMemo() override { return *Memo1; }
    TStatusBar& statusPanels() override { return *FRSB1; }
    SharedQuery* sharedQuery() override;
    QWidget* dialogParent() override { return this; }
    // Start-up hands over the data module once: DBGrid1 and DBNavigator1 show its DataSource1,
    // and it holds the commands' shared query.
    void AttachDataModule(TDM1& dataModule);
    // Start-up hands over the transfer window once: it gets the data module's objects, this
    // window to come back to and the database names that Show Databases lists; the data module
    // shows its record position there; "BDE->MySQL" opens it.
    void AttachTransferWindow(TForm1& transfer, TDM1& dataModule);
    // Sets the window texts of the current language (captions, labels, menu items, hints).
    void retranslateUi() override;

    // Connect Info
    QGroupBox* GroupBox1;
    QLabel* lblServer;
    QLabel* lblUsername;
    QLabel* lblPassword;
    QLabel* lblDatabase;
    QComboBox* edtHostname;
    QLineEdit* edtUsername;
    QLineEdit* edtPasswd;
    QLineEdit* edtDatabase;
    TRadioGroup* RadioGroup1;
    QLabel* lblTables;
    QListWidget* ListBox1;
    QLabel* lblQuery;
    QPlainTextEdit* Memo1;
    QWidget* Panel1;
    QWidget* Panel2;
    QWidget* Panel3;
    TDBNavigator* DBNavigator1;
    TFilterBar* FilterBar; // filter and search above the grid
    TDBGrid* DBGrid1;
    TStatusBar* FRSB1;
    QMenu* PopupMenu1;

    // Main menu
    QMenu *File1, *Server1, *Manipulate1, *View1, *Users1, *Database1, *DB1, *Table1, *Query1,
        *Language1;
    // Menu items other code reaches by member; the others are found by CommandAction().
    QAction *Ping1, *Usefriendlyname1, *Addhost1, *Modifyhost1, *Removehost1, *Viewhostsfriendly1,
        *ViewhostsIP1, *Adduser1, *Viewuser1, *Viewuserinfo1, *Removeuser1, *Clear1, *Exit1,
        *ShowDatabases1, *CreateDB1, *DropDB1, *Dumpdatabse1, *Viewtable2, *Createtable1,
        *Emptytable1, *Droptable1, *Runquery1, *Closequery1, *Openscript1, *Clear2, *BDEMySQL1,
        *English1, *Croatian1, *About1;
    // Right-click menu of ListBox1
    QAction *Viewtable1, *Emptytable2, *Droptable2, *Createtable2;
    // Toolbar, left to right
    std::vector<QToolButton*> SpeedButtons;
    QToolButton* SpeedButton(int number) const;
    // The menu item of a row of the command table (MainCommands()), by its object name; null when
    // no row has that name.
    QAction* CommandAction(const char* name) const;

public slots:
    // Saved servers
    void Addhost1Click();
    void Modifyhost1Click();
    void Removehost1Click();
    void Viewhostsfriendly1Click();
    void ViewhostsIP1Click();
    void Usefriendlyname1Click();
    void edtHostnameChange();
    void edtPasswdEnter();
    void LoadSavedServers();

    // Handlers of menu items that need more of the window than a command sees (the other items
    // run their command of the command table, main_commands.cpp).
    void Exit1Click();
    void Adduser1Click();
    void BDEMySQL1Click();
    void SetLanguage(QAction* item);
    void About1Click();

    // Browser and query editor
    void RadioGroup1Click();
    void ListBox1Click();
    void ListBox1DblClick();
    void ListBox1MouseDown(Qt::MouseButton button, const QPoint& pos);
    void Memo1DblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs command unless another command is running.
    void RunCommand(void (*command)(CommandContext&));
    void buildMenus();
    // The menu item of a row of the command table, connected to what the row runs.
    void addCommandItem(const MainCommand& command);
    // The radio items English1 and Croatian1 of Language1 (main_window_language.cpp).
    void buildLanguageItems();
    void buildToolbar();
    // The menu item of each row of the command table that has one, by its object name.
    std::map<std::string, QAction*> commandActions_;
    void buildPanels();
    // The parts of the panels, each building its members; the caller places what they answer.
    QWidget* buildConnectInfo();
    QWidget* buildTableList();
    QLayout* buildQueryMemo();
    QWidget* buildGridPanel(QWidget* central);
    void buildStatusBar();
    void FormCreate();
    void FormClose();
    void RefillHostnameItems();
    void ConnectBrowserEvents();

    QPointer<TDM1> dataModule_;
    QPointer<TForm1> transfer_;
    bool scaled_ = false;
    bool centred_ = false;
    // Runs the calls that wait for the server beside the window.
    std::unique_ptr<StatementRunner> statementRunner_;
    // A close asked for while a statement ran: done once its command has ended.
    QTimer closeWhenIdle_;
};
