// The transfer window: a live MySQL query (the data module's shared query) on top, a query on an
// ODBC data source below, and "BDE -> MySQL" copying the source rows into the MySQL query one by
// one. Created hidden at start-up and kept for the whole run; the main window hides while it shows.
#pragma once

#include "data/server_session.h"
#include "ui/retranslatable.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TDataSet;
class TDataSource;
class TDBGrid;
class TMySQLDatabase;
class TMySQLQuery;
class TOdbcDatabase;
class TOdbcQuery;

// The data module's objects the window works on.
struct TransferObjects {
    TMySQLDatabase* MySQLDatabase1 = nullptr;
    TMySQLQuery* MySQLQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;
    TOdbcDatabase* Database1 = nullptr;
    TOdbcQuery* Query1 = nullptr;
    TDataSource* DSQuery1 = nullptr;
};

// What the main window hands over when the operator opens the transfer window.
struct TransferStart {
    QString host, user, password, database;
    bool databaseSelected = false;
    QString selectedTable; // empty when no table is selected
};

class TForm1 : public QWidget, public Retranslatable {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;
    void retranslateUi() override;

    void Bind(const TransferObjects& objects);
    // The window brought back by "Return" and by closing this one.
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
    // The opening of the window from the main window's menu; false when the operator said No.
    bool OpenFromMainWindow(const TransferStart& start);
    // Makes the databases listed by Show Databases available here too.
    void SetDatabaseNames(const QStringList& names);
    // The record position of the MySQL query into Label5, "3/120"; empty when it cannot be read.
    // Run after every scroll of the query and after rows were posted or deleted.
    void ShowPosition(TDataSet& dataSet);

    bool scaledForSmallScreen() const { return scaled_; }
    // The transfer shows its progress dialog once it has run this long (ms).
    int progressDelayMs = 1000;

    QGroupBox* GroupBox1;
    QLineEdit *edtHostname, *edtUsername, *edtPasswd, *edtDatabase;
    QLabel *lblHostname, *lblUsername, *lblPasswd, *lblDatabase, *lblCBDB, *lblCBALIAS;
    QComboBox *CBDB, *CBALIAS;
    QPushButton *Button1, *Button2, *Button8, *BitBtn6;
    QRadioButton* RB1;
    QCheckBox *AR1, *AR2;
    TDBGrid *DBGrid1, *DBGrid2;
    QPlainTextEdit *Memo1, *Memo2;
    QPushButton *Button5, *Button6, *Button7, *Button3;
    QLabel* Label5; // record position of the shared query, "3/120"
    QLabel* Label8; // row count of the source query

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button3Click();
    void Button8Click();
    void CBDBChange();
    void CBALIASChange();
    void BitBtn6Click();
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    // AR1 and AR2 as the connections really are (a connection the server dropped counts as
    // closed and is closed here); while the MySQL connection is open CBDB shows its database.
    void ShowConnectionStates();
    // True while the shared MySQL connection is open and the server still holds it.
    bool MySQLConnected();
    // CBDB names the database without running its change handler.
    void ShowDestination(const QString& database);
    void ClearCounts();
    // How a side's query takes its statement, one line each (an empty list clears it).
    using SetStatement = std::function<void(std::vector<std::string>)>;
    // A side's "Exec." (Button5, Button7): the query runs the statement of its memo; an empty
    // memo leaves it closed. While its result is open the button waits for "Close QRY" and the
    // label shows the row count.
    void OpenFromMemo(TDataSet& query, const QPlainTextEdit* memo, QPushButton* exec, QLabel* count,
                      const SetStatement& setStatement);
    // A side's "Close QRY" (Button6, Button3): the query closed, its statement dropped.
    void CloseQuery(TDataSet& query, QPushButton* exec, QLabel* count,
                    const SetStatement& setStatement);
    void ShowTransferFailure(const std::exception& e);

    TransferObjects objects_;
    QWidget* mainWindow_ = nullptr;
    ServerSession testConnection_; // the window's own connection record
    int testConnected_ = 0;
    bool scaled_ = false;
    bool transferring_ = false; // Label5 is brought up to date a few times a second
};
