// The transfer window's handlers: opening, connecting, running the two queries, the transfer,
// returning and closing.
#include "transfer/transfer_window.h"

#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "transfer/grid_hold.h"
#include "transfer/odbc_database.h"
#include "transfer/odbc_query.h"
#include "transfer/odbc_session.h"
#include "transfer/row_transfer.h"
#include "transfer/transfer_progress.h"
#include "ui/data_errors.h"
#include "ui/data_source.h"
#include "ui/db_grid.h"
#include "ui/language.h"
#include "ui/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

std::string Std(const QString& text) {
    return text.toStdString();
}

std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
    std::vector<std::string> lines;
    if (memo->toPlainText().isEmpty())
        return lines;
    for (const QString& line : memo->toPlainText().split(QLatin1Char('\n')))
        lines.push_back(Std(line));
    return lines;
}

void ShowError(const std::exception& e) {
    prompts().message(DataErrorText(e), PromptIcon::Error);
}

// The count report, lines parted by a line feed and a carriage return.
QString CountReport(std::int64_t source, std::int64_t destination) {
    return QStringLiteral("Source count: %1\n\rDest. count: %2").arg(source).arg(destination);
}

} // namespace

void TForm1::Bind(const TransferObjects& objects) {
    objects_ = objects;
    DBGrid1->setDataSource(objects.DataSource1);
    DBGrid2->setDataSource(objects.DSQuery1);
    // A posted row moves no cursor, so no after-scroll tells the new position.
    if (objects.DataSource1)
        connect(
            objects.DataSource1, &TDataSource::dataEvent, this, [this](DataEvent event, TField*) {
                if (event == DataEvent::DataSetChanged && !transferring_ && objects_.MySQLQuery1 &&
                    objects_.MySQLQuery1->State() == DataSetState::Browse)
                    ShowPosition(*objects_.MySQLQuery1);
            });
}

void TForm1::ShowPosition(TDataSet& dataSet) {
    try {
        const std::int64_t recNo = dataSet.RecNo();
        const std::int64_t count = dataSet.RecordCount();
        Label5->setText(QStringLiteral("%1/%2").arg(recNo).arg(count));
    } catch (const std::exception&) {
        Label5->clear();
    }
}

void TForm1::SetDatabaseNames(const QStringList& names) {
    const QSignalBlocker blocker(CBDB);
    const QString text = CBDB->currentText();
    CBDB->clear();
    CBDB->addItems(names);
    CBDB->setEditText(text);
}

bool TForm1::OpenFromMainWindow(const TransferStart& start) {
    if (!prompts().askWarningYesNo(
            BiText(QStringLiteral("This is ONLY for DATATRANSFER. No fun stuff! Do you really want "
                                  "to go on?"),
                   QStringLiteral("Ovaj dio je SAMO za PRIJENOS PODATAKA. Nema zgodnih gjigja! "
                                  "Otvoriti?"))))
        return false;
    show();
    edtHostname->setText(start.host);
    edtUsername->setText(start.user);
    edtPasswd->setText(start.password);
    edtDatabase->setText(start.database);
    if (start.databaseSelected)
        Button1Click();
    if (!start.selectedTable.isEmpty())
        Memo1->setPlainText(start.selectedTable);
    {
        // Filling the list leaves its text empty, as it was cleared.
        const QSignalBlocker blocker(CBALIAS);
        CBALIAS->clear();
        try {
            for (const std::string& name : DefaultOdbcSession().AliasNames())
                CBALIAS->addItem(QString::fromStdString(name));
        } catch (const std::exception& e) {
            ShowError(e);
        }
        CBALIAS->setCurrentIndex(-1);
        CBALIAS->clearEditText();
    }
    if (mainWindow_)
        mainWindow_->hide();
    return true;
}

bool TForm1::MySQLConnected() {
    return objects_.MySQLDatabase1 && objects_.MySQLDatabase1->StillConnected();
}

void TForm1::ShowConnectionStates() {
    const bool connected = MySQLConnected();
    AR1->setChecked(connected);
    AR2->setChecked(objects_.Database1 && objects_.Database1->Connected());
    // Rows go into the database of the open connection: the list shows that one.
    if (connected)
        ShowDestination(QString::fromStdString(objects_.MySQLDatabase1->Database()));
    if (objects_.MySQLQuery1 && !objects_.MySQLQuery1->Active()) {
        Label5->clear();
        Button5->setEnabled(true);
    }
}

void TForm1::ShowDestination(const QString& database) {
    const QSignalBlocker blocker(CBDB);
    CBDB->setCurrentIndex(CBDB->findText(database));
    CBDB->setEditText(database);
}

void TForm1::ClearCounts() {
    Label5->clear();
    Label8->clear();
}

// "Connect": the window's test connection, then the shared MySQL connection and the alias.
void TForm1::Button1Click() {
    ShowConnectionStates();
    {
        BusyCursor busy;
        // Port 0, no socket, no client flags.
        const bool connected =
            testConnection_.Connect({Std(edtHostname->text()), Std(edtUsername->text()),
                                     Std(edtPasswd->text()), Std(edtDatabase->text()), 0, 0});
        RB1->setChecked(false);
        if (connected) {
            RB1->setChecked(true);
            testConnected_ = 1;
        }
    }
    if (!RB1->isChecked())
        prompts().message(QString::fromStdString(testConnection_.Error().text));
    // The operator's Stop ends the whole Connect, not just its first connection.
    if (testConnection_.Stopped()) {
        ShowConnectionStates();
        return;
    }
    // A connection the server has dropped is opened again.
    if (!objects_.MySQLDatabase1 || MySQLConnected())
        return;
    try {
        BusyCursor busy;
        TMySQLDatabase& db = *objects_.MySQLDatabase1;
        db.SetHost(Std(edtHostname->text()));
        db.SetDatabase(Std(edtDatabase->text()));
        // The window's own sign-on, so a server with a password can be reached.
        db.SetLogin(Std(edtUsername->text()));
        db.SetPassword(Std(edtPasswd->text()));
        db.Connect();
    } catch (const std::exception&) {
        // AR1 shows the outcome.
    }
    ShowConnectionStates();
    if (objects_.Database1 && !objects_.Database1->Connected()) {
        try {
            objects_.Database1->AliasName = Std(CBALIAS->currentText());
            objects_.Database1->Open();
        } catch (const std::exception&) {
            // AR2 shows the outcome.
        }
    }
    ShowConnectionStates();
}

// "Disconnect": both queries and both connections closed.
void TForm1::Button2Click() {
    testConnection_.Close();
    testConnected_ = 0;
    RB1->setChecked(false);
    if (objects_.MySQLQuery1)
        objects_.MySQLQuery1->Close();
    if (objects_.Query1)
        objects_.Query1->Close();
    if (objects_.Database1)
        objects_.Database1->Close();
    if (objects_.MySQLDatabase1)
        objects_.MySQLDatabase1->Disconnect();
    Button5->setEnabled(true);
    Button7->setEnabled(true);
    ClearCounts();
    ShowConnectionStates();
}

// "Exec. MySQL": the MySQL query runs the statement of Memo1.
void TForm1::Button5Click() {
    if (TMySQLQuery* query = objects_.MySQLQuery1)
        OpenFromMemo(*query, Memo1, Button5, Label5,
                     [query](std::vector<std::string> lines) { query->SetSQL(std::move(lines)); });
}

// "Close QRY" of the MySQL query.
void TForm1::Button6Click() {
    if (TMySQLQuery* query = objects_.MySQLQuery1)
        CloseQuery(*query, Button5, Label5,
                   [query](std::vector<std::string> lines) { query->SetSQL(std::move(lines)); });
}

// "Exec. BDE": the source query runs the statement of Memo2.
void TForm1::Button7Click() {
    if (TOdbcQuery* query = objects_.Query1)
        OpenFromMemo(*query, Memo2, Button7, Label8,
                     [query](std::vector<std::string> lines) { query->SQL = std::move(lines); });
}

// "Close QRY" of the source query.
void TForm1::Button3Click() {
    if (TOdbcQuery* query = objects_.Query1)
        CloseQuery(*query, Button7, Label8,
                   [query](std::vector<std::string> lines) { query->SQL = std::move(lines); });
}

void TForm1::OpenFromMemo(TDataSet& query, const QPlainTextEdit* memo, QPushButton* exec,
                          QLabel* count, const SetStatement& setStatement) {
    std::vector<std::string> lines = MemoLines(memo);
    const bool run = !lines.empty();
    try {
        query.Close();
        setStatement({});
        if (run) {
            setStatement(std::move(lines));
            {
                BusyCursor busy;
                query.Open();
            }
            exec->setEnabled(false);
            count->setText(QString::number(query.RecordCount()));
        }
    } catch (const std::exception& e) {
        ShowError(e);
    }
    // A closed query shows no count, whoever had opened it.
    if (!query.Active()) {
        exec->setEnabled(true);
        count->clear();
    }
    if (run)
        ShowConnectionStates();
}

void TForm1::CloseQuery(TDataSet& query, QPushButton* exec, QLabel* count,
                        const SetStatement& setStatement) {
    query.Close();
    setStatement({});
    if (!query.Active()) {
        exec->setEnabled(true);
        count->clear();
    }
}

// "BDE -> MySQL": every row of the source query appended to the MySQL query, then the counts.
void TForm1::Button8Click() {
    if (!objects_.Query1 || !objects_.MySQLQuery1)
        return;
    TOdbcQuery& source = *objects_.Query1;
    TMySQLQuery& destination = *objects_.MySQLQuery1;
    if (!source.Active() || !destination.Active()) {
        ShowError(EDatabaseError(dberr::kDatasetClosed));
        return;
    }
    TransferProgressDialog progress(this, progressDelayMs);
    try {
        TransferResult result;
        {
            // The grids and Label5 show the rows a few times a second, not after every row.
            GridsOnHold grids({objects_.DataSource1, objects_.DSQuery1});
            transferring_ = true;
            struct Done {
                bool& flag;
                ~Done() { flag = false; }
            } done{transferring_};
            QElapsedTimer shown;
            shown.start();
            const TransferProgress report = progress.Callback();
            result =
                TransferRows(source, destination, [&](std::int64_t copied, std::int64_t total) {
                    if (shown.elapsed() >= 250) {
                        shown.restart();
                        grids.Refresh();
                        ShowPosition(destination);
                    }
                    return report(copied, total);
                });
        }
        ShowPosition(destination);
        progress.Finish();
        QString text = CountReport(source.RecordCount(), destination.RecordCount());
        if (result.cancelled)
            text = BiText(QStringLiteral("Transfer cancelled: %1 rows copied."),
                          QStringLiteral("Prijenos prekinut: kopirano redaka: %1."))
                       .arg(result.copied) +
                   QStringLiteral("\n\r") + text;
        prompts().message(text);
    } catch (const std::exception& e) {
        progress.Finish();
        if (destination.Active())
            ShowPosition(destination);
        ShowTransferFailure(e);
        // A row the server refused may have cost the connection (a value over the packet
        // limit): a failure that says so closes it here, and the indicators and Connect follow.
        if (const auto* failed = dynamic_cast<const ETransferFailed*>(&e);
            failed && failed->CauseIs<EConnectionLost>() && objects_.MySQLDatabase1)
            objects_.MySQLDatabase1->Disconnect();
        ShowConnectionStates();
    }
}

void TForm1::ShowTransferFailure(const std::exception& e) {
    if (const auto* columns = dynamic_cast<const ETransferColumns*>(&e)) {
        prompts().message(
            BiText(QStringLiteral("The source has %1 columns, the MySQL query only %2. Nothing "
                                  "was copied."),
                   QStringLiteral("Izvor ima %1 stupaca, a MySQL upit samo %2. Ništa nije "
                                  "kopirano."))
                .arg(columns->SourceColumns())
                .arg(columns->DestinationColumns()),
            PromptIcon::Error);
    } else if (const auto* target = dynamic_cast<const ETransferTarget*>(&e)) {
        const QString column = QString::fromStdString(target->Column());
        prompts().message(
            (target->TargetKind() == ETransferTarget::Expression
                 ? BiText(QStringLiteral("Column %1 of the MySQL query is an expression, not a "
                                         "column of the table: its values would go nowhere. "
                                         "Nothing was copied."),
                          QStringLiteral("Stupac %1 MySQL upita je izraz, a ne stupac tablice: "
                                         "njegove vrijednosti ne bi nigdje stigle. Ništa nije "
                                         "kopirano."))
                 : BiText(QStringLiteral("Column %1 of the MySQL query is a generated column: the "
                                         "server computes its values. Nothing was copied."),
                          QStringLiteral("Stupac %1 MySQL upita je generirani stupac: njegove "
                                         "vrijednosti računa poslužitelj. Ništa nije kopirano.")))
                .arg(column),
            PromptIcon::Error);
    } else if (const auto* tooLong = dynamic_cast<const ETransferTextTooLong*>(&e)) {
        const ETransferTooLong& cause = tooLong->Cause();
        prompts().message(
            BiText(QStringLiteral("Row %1: the text for column %2 has %3 characters, the column "
                                  "takes %4. Nothing was cut; the transfer stopped there, %5 rows "
                                  "were copied before it."),
                   QStringLiteral("Redak %1: tekst za stupac %2 ima znakova: %3, a stupac prima "
                                  "%4. Ništa nije skraćeno; prijenos je tu stao, prije njega je "
                                  "kopirano redaka: %5."))
                .arg(tooLong->Copied() + 1)
                .arg(QString::fromStdString(cause.Column()))
                .arg(cause.Length())
                .arg(cause.Size())
                .arg(tooLong->Copied()),
            PromptIcon::Error);
    } else if (const auto* failed = dynamic_cast<const ETransferFailed*>(&e)) {
        prompts().message(
            BiText(QStringLiteral("The transfer stopped at a row that could not be written; %1 "
                                  "rows were copied before it.\n\r%2"),
                   QStringLiteral("Prijenos je stao na retku koji se nije mogao upisati; prije "
                                  "njega je kopirano redaka: %1.\n\r%2"))
                .arg(failed->Copied())
                .arg(DataErrorText(*failed)),
            PromptIcon::Error);
    } else {
        ShowError(e);
    }
}

void TForm1::CBDBChange() {
    // While the connection is open its database is the destination: another choice is refused.
    if (objects_.MySQLDatabase1 && objects_.MySQLDatabase1->Connected()) {
        const QString open = QString::fromStdString(objects_.MySQLDatabase1->Database());
        if (CBDB->currentText() == open)
            return;
        ShowDestination(open);
        prompts().message(BiText(QStringLiteral("The rows go into database %1, the database of "
                                                "the open connection. Press Disconnect to choose "
                                                "another one."),
                                 QStringLiteral("Retci idu u bazu %1, bazu otvorene veze. Za "
                                                "drugu bazu pritisnite Disconnect."))
                              .arg(open),
                          PromptIcon::Warning);
        return;
    }
    if (!CBDB->currentText().isEmpty() && objects_.MySQLDatabase1)
        objects_.MySQLDatabase1->SetDatabase(Std(CBDB->currentText()));
}

void TForm1::CBALIASChange() {
    if (!CBALIAS->currentText().isEmpty() && objects_.Database1 && !objects_.Database1->Connected())
        objects_.Database1->AliasName = Std(CBALIAS->currentText());
}

// "Return": back to the main window.
void TForm1::BitBtn6Click() {
    if (mainWindow_)
        mainWindow_->show();
    hide();
}

void TForm1::FormClose() {
    if (testConnected_ == 1) {
        testConnection_.Close();
        testConnected_ = 0;
    }
    if (objects_.MySQLQuery1) {
        objects_.MySQLQuery1->Close();
        objects_.MySQLQuery1->SetSQL({});
    }
    if (objects_.MySQLDatabase1)
        objects_.MySQLDatabase1->Disconnect();
    if (objects_.Query1) {
        objects_.Query1->Close();
        objects_.Query1->SQL.clear();
    }
    if (objects_.Database1)
        objects_.Database1->Close();
    RB1->setChecked(false);
    Button5->setEnabled(true);
    Button7->setEnabled(true);
    ClearCounts();
    ShowConnectionStates();
}
