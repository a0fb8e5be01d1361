// The transfer window with the real data module, a SQLite data source and the test server:
// opening from the main window, Connect, the two queries, the transfer and its report, the
// progress dialog's Cancel, Return and the close box.
#include "odbc_sources.h"
#include "support/scratch_database.h"
#include "support/scripted_prompts.h"
#include "support/silent_server.h"
#include "support/statement_watch.h"
#include "support/test_server.h"

#include "shell/data_module.h"
#include "shell/main_window.h"
#include "transfer/transfer_window.h"
#include "ui/db_grid.h"
#include "ui/radio_group.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace odbcsources;

namespace {

constexpr const char* kDb = "kt_transfer_window";

class TransferWindowTest : public ::testing::Test {
protected:
    // Made first, dropped last. The window shows the name, so it is fixed.
    testserver::ScratchDatabase scratch_{testserver::ScratchDatabase::Exactly{kDb}};

    void SetUp() override {
        Reset(kUserSource);
        sqlite_ = std::make_unique<SqliteFile>(FileOf(kUserSource));
        root_.Exec(std::string("USE ") + kDb);
        ClearSettings();
        window_ = std::make_unique<TQueryFrm1>();
        dm_ = std::make_unique<TDM1>();
        form_ = std::make_unique<TForm1>();
        window_->AttachDataModule(*dm_);
        window_->AttachTransferWindow(*form_, *dm_);
        window_->show();
    }
    void TearDown() override {
        form_.reset();
        dm_.reset();
        window_.reset();
    }
    // Opens the window as the menu does, with the test server's sign-on.
    void OpenWindow() {
        prompts_.yesNo.push_back(true);
        TransferStart start;
        start.host = testserver::kHost;
        start.user = testserver::kRootUser;
        start.password = testserver::kRootPassword;
        start.database = kDb;
        ASSERT_TRUE(form_->OpenFromMainWindow(start));
    }
    // A source of 3,000 numbered rows and an empty destination, open and run on both sides.
    void OpenLongTransfer() {
        sqlite_->Exec("CREATE TABLE s (id INTEGER)");
        std::vector<std::vector<SqliteFile::Param>> rows;
        for (int i = 1; i <= 3000; ++i)
            rows.push_back({Int(i)});
        sqlite_->InsertRows("INSERT INTO s VALUES (?)", rows);
        root_.Exec("CREATE TABLE kt_transfer_win (id INT PRIMARY KEY)");
        OpenWindow();
        ConnectAndRun("SELECT id FROM kt_transfer_win", "SELECT id FROM s ORDER BY id");
    }
    void ConnectAndRun(const QString& mysqlSql, const QString& sourceSql) {
        form_->CBALIAS->setEditText(kUserSource);
        form_->Button1->click();
        form_->Memo1->setPlainText(mysqlSql);
        form_->Button5->click();
        form_->Memo2->setPlainText(sourceSql);
        form_->Button7->click();
    }

    testserver::RootConnection root_;
    std::unique_ptr<SqliteFile> sqlite_;
    ScriptedPrompts prompts_;
    std::unique_ptr<TQueryFrm1> window_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TForm1> form_;
};

} // namespace

TEST_F(TransferWindowTest, OpeningAsksFillsTheFieldsAndListsTheDataSources) {
    prompts_.yesNo.push_back(false);
    EXPECT_FALSE(form_->OpenFromMainWindow({}));
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(window_->isVisible());
    ASSERT_EQ(prompts_.shown.size(), 1);
    EXPECT_EQ(prompts_.shown[0], "This is ONLY for DATATRANSFER. No fun stuff! Do you really "
                                 "want to go on?");
    EXPECT_EQ(prompts_.icons[0], PromptIcon::Warning);

    OpenWindow();
    EXPECT_TRUE(form_->isVisible());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(form_->edtHostname->text(), testserver::kHost);
    EXPECT_EQ(form_->edtDatabase->text(), kDb);
    EXPECT_FALSE(form_->edtDatabase->isEnabled());
    EXPECT_EQ(form_->lblPasswd->buddy(), form_->edtPasswd);
    EXPECT_GE(form_->CBALIAS->findText(kUserSource), 0);
    EXPECT_GE(form_->CBALIAS->findText(kSystemSource), 0);
    EXPECT_TRUE(form_->CBALIAS->currentText().isEmpty());

    // The databases Show Databases lists reach CBDB.
    window_->RadioGroup1->setItems({"kt_a", "kt_b"});
    EXPECT_EQ(form_->CBDB->count(), 2);

    form_->BitBtn6->click(); // Return
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(form_->isVisible());

    // The close box brings the main window back too.
    prompts_.yesNo.push_back(true);
    form_->OpenFromMainWindow({});
    EXPECT_FALSE(window_->isVisible());
    form_->close();
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(TransferWindowTest, ConnectExecAndTransferReportTheCounts) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, name TEXT)");
    sqlite_->Exec("INSERT INTO s VALUES (1, 'eins'), (2, NULL), (3, 'tri')");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT PRIMARY KEY, name VARCHAR(20))");
    OpenWindow();
    ConnectAndRun("SELECT id, name FROM kt_transfer_win", "SELECT id, name FROM s ORDER BY id");
    EXPECT_TRUE(form_->RB1->isChecked());
    EXPECT_TRUE(form_->AR1->isChecked());
    EXPECT_TRUE(form_->AR2->isChecked());
    EXPECT_FALSE(form_->Button5->isEnabled());
    EXPECT_FALSE(form_->Button7->isEnabled());
    EXPECT_EQ(form_->Label5->text(), "0");
    EXPECT_EQ(form_->Label8->text(), "3");
    EXPECT_EQ(form_->DBGrid2->model()->rowCount(), 3);

    form_->Button8->click();
    ASSERT_FALSE(prompts_.shown.isEmpty());
    EXPECT_EQ(prompts_.shown.back(), "Source count: 3\n\rDest. count: 3");
    EXPECT_EQ(root_.Rows("SELECT id, IFNULL(name, 'NULL') FROM kt_transfer_win ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1", "eins"}, {"2", "NULL"}, {"3", "tri"}}));
    // Label5 follows the posted rows as well as the scrolls.
    EXPECT_EQ(form_->Label5->text(), "3/3");
    TMySQLQuery& query = dm_->MySQLQuery1;
    query.First();
    EXPECT_EQ(form_->Label5->text(), "1/3");
    query.Append();
    query.FieldByName("id").SetAsString("4");
    query.Post();
    EXPECT_EQ(form_->Label5->text(), "4/4");
    query.First();
    query.Delete();
    EXPECT_EQ(form_->Label5->text(), "1/3");

    // Close QRY enables Exec again; Disconnect closes everything.
    form_->Button3->click();
    EXPECT_TRUE(form_->Button7->isEnabled());
    EXPECT_FALSE(dm_->Query1.Active());
    form_->Button2->click();
    EXPECT_FALSE(form_->RB1->isChecked());
    EXPECT_FALSE(form_->AR1->isChecked());
    EXPECT_FALSE(form_->AR2->isChecked());
    EXPECT_FALSE(dm_->MySQLQuery1.Active());
}

// Both sides run and close their statement alike, and a closed query shows no count, whoever had
// opened it.
TEST_F(TransferWindowTest, BothSidesRunAndCloseTheirStatementAlike) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER)");
    sqlite_->Exec("INSERT INTO s VALUES (1), (2)");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT)");
    root_.Exec("INSERT INTO kt_transfer_win VALUES (1), (2), (3)");
    OpenWindow();
    form_->CBALIAS->setEditText(kUserSource);
    form_->Button1->click();
    ASSERT_TRUE(form_->AR1->isChecked());
    ASSERT_TRUE(form_->AR2->isChecked());
    struct Side {
        TDataSet& query;
        QPlainTextEdit* memo;
        QPushButton *exec, *close;
        QLabel* count;
        QString sql, rows;
    };
    const Side sides[] = {{dm_->MySQLQuery1, form_->Memo1, form_->Button5, form_->Button6,
                           form_->Label5, "SELECT id FROM kt_transfer_win", "3"},
                          {dm_->Query1, form_->Memo2, form_->Button7, form_->Button3, form_->Label8,
                           "SELECT id FROM s", "2"}};
    for (const Side& side : sides) {
        SCOPED_TRACE(side.exec->objectName().toStdString());
        // A refused statement is shown and leaves the query closed.
        side.memo->setPlainText("SELECT id FROM kt_nowhere");
        const qsizetype shown = prompts_.shown.size();
        side.exec->click();
        ASSERT_EQ(prompts_.shown.size(), shown + 1);
        EXPECT_EQ(prompts_.icons.back(), PromptIcon::Error);
        EXPECT_FALSE(side.query.Active());
        EXPECT_TRUE(side.exec->isEnabled());
        EXPECT_TRUE(side.count->text().isEmpty());

        side.memo->setPlainText(side.sql);
        side.exec->click();
        EXPECT_TRUE(side.query.Active());
        EXPECT_FALSE(side.exec->isEnabled());
        EXPECT_EQ(side.count->text(), side.rows);
        side.close->click();
        EXPECT_FALSE(side.query.Active());
        EXPECT_TRUE(side.exec->isEnabled());
        EXPECT_TRUE(side.count->text().isEmpty());
    }

    // The main window opens the shared query too: an empty Memo1 closes it, and its position goes.
    TMySQLQuery& shared = dm_->MySQLQuery1;
    shared.SetSQL({"SELECT id FROM kt_transfer_win"});
    shared.Open();
    ASSERT_FALSE(form_->Label5->text().isEmpty());
    form_->Memo1->clear();
    form_->Button5->click();
    EXPECT_FALSE(shared.Active());
    EXPECT_TRUE(form_->Button5->isEnabled());
    EXPECT_TRUE(form_->Label5->text().isEmpty());
}

TEST_F(TransferWindowTest, ProblemsAreReportedWithTheCountCopied) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, name TEXT, extra TEXT)");
    sqlite_->Exec("INSERT INTO s VALUES (1, 'a', 'x'), (2, 'b', 'y')");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT PRIMARY KEY, name VARCHAR(20))");
    root_.Exec("INSERT INTO kt_transfer_win VALUES (2, 'taken')");
    OpenWindow();
    ConnectAndRun("SELECT id, name FROM kt_transfer_win", "SELECT id, name, extra FROM s");
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(),
              "The source has 3 columns, the MySQL query only 2. Nothing was copied.");
    EXPECT_EQ(prompts_.icons.back(), PromptIcon::Error);

    form_->Button3->click();
    form_->Memo2->setPlainText("SELECT id, name FROM s ORDER BY id");
    form_->Button7->click();
    form_->Button8->click();
    EXPECT_TRUE(prompts_.shown.back().startsWith(
        "The transfer stopped at a row that could not be written; 1 rows were copied before it."))
        << prompts_.shown.back().toStdString();
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_win"), "2");
}

TEST_F(TransferWindowTest, LongTransferShowsProgressAndStopsOnCancel) {
    OpenLongTransfer();
    form_->progressDelayMs = 0;
    QString seenLabel;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (auto* dialog = form_->findChild<QProgressDialog*>("TransferProgress")) {
            seenLabel = dialog->labelText();
            dialog->cancel();
        }
    });
    cancel.start(20);
    form_->Button8->click();
    cancel.stop();
    EXPECT_TRUE(seenLabel.contains(" of 3000 rows copied")) << seenLabel.toStdString();
    const QString report = prompts_.shown.back();
    ASSERT_TRUE(report.startsWith("Transfer cancelled: ")) << report.toStdString();
    const int copied = report.section(' ', 2, 2).toInt();
    EXPECT_GT(copied, 0);
    EXPECT_LT(copied, 3000);
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_win"), std::to_string(copied));
}

TEST_F(TransferWindowTest, FitsASmallScreen) {
    form_->resize(640, 480);
    form_->show();
    QApplication::processEvents();
    EXPECT_LE(form_->minimumSizeHint().width(), 640);
    EXPECT_LE(form_->minimumSizeHint().height(), 480);
    form_->resize(742, 589);
    QApplication::processEvents();
}

TEST_F(TransferWindowTest, ATextLongerThanItsColumnIsRefusedNeverCut) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, name TEXT)");
    sqlite_->Exec("INSERT INTO s VALUES (1, 'abc'), (2, 'čćž'), (3, 'Alexandria'), (4, 'xyz')");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT PRIMARY KEY, name VARCHAR(3)) "
               "CHARACTER SET utf8mb4");
    OpenWindow();
    ConnectAndRun("SELECT id, name FROM kt_transfer_win", "SELECT id, name FROM s ORDER BY id");
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(),
              "Row 3: the text for column name has 10 characters, the column takes 3. Nothing "
              "was cut; the transfer stopped there, 2 rows were copied before it.");
    EXPECT_EQ(prompts_.icons.back(), PromptIcon::Error);
    // Three characters of two bytes each fit; nothing was cut.
    EXPECT_EQ(root_.Rows("SELECT id, name FROM kt_transfer_win ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1", "abc"}, {"2", "čćž"}}));
    EXPECT_EQ(dm_->MySQLQuery1.State(), DataSetState::Browse);

    window_->English1->setChecked(false);
    root_.Exec("DELETE FROM kt_transfer_win");
    form_->Button6->click();
    form_->Button5->click();
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(),
              "Redak 3: tekst za stupac name ima znakova: 10, a stupac prima 3. Ništa nije "
              "skraćeno; prijenos je tu stao, prije njega je kopirano redaka: 2.");
}

TEST_F(TransferWindowTest, AColumnThatIsNoWritableColumnIsRefusedBeforeCopying) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, b INTEGER)");
    sqlite_->Exec("INSERT INTO s VALUES (1, 10), (2, 20)");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT PRIMARY KEY, b INT, "
               "g INT AS (b * 2) VIRTUAL)");
    OpenWindow();
    ConnectAndRun("SELECT id, b + 1 AS c FROM kt_transfer_win", "SELECT id, b FROM s ORDER BY id");
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(),
              "Column c of the MySQL query is an expression, not a column of the table: its "
              "values would go nowhere. Nothing was copied.");
    EXPECT_EQ(prompts_.icons.back(), PromptIcon::Error);
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_win"), "0");
    EXPECT_EQ(form_->DBGrid1->model()->rowCount(), 0);

    window_->English1->setChecked(false);
    form_->Button6->click();
    form_->Memo1->setPlainText("SELECT id, g FROM kt_transfer_win");
    form_->Button5->click();
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(), "Stupac g MySQL upita je generirani stupac: njegove "
                                     "vrijednosti računa poslužitelj. Ništa nije kopirano.");
    form_->Button8->click();
    window_->English1->setChecked(true);
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(), "Column g of the MySQL query is a generated column: the "
                                     "server computes its values. Nothing was copied.");
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_win"), "0");

    // A source narrower than the query: the columns it does not reach take no value and are
    // not looked at.
    form_->Button6->click();
    form_->Memo1->setPlainText("SELECT id, b, g FROM kt_transfer_win");
    form_->Button5->click();
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(), "Source count: 2\n\rDest. count: 2");
    EXPECT_EQ(root_.Rows("SELECT id, b, g FROM kt_transfer_win ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1", "10", "20"}, {"2", "20", "40"}}));
}

TEST_F(TransferWindowTest, ADatabaseChosenWhileConnectedIsRefused) {
    const testserver::ScratchDatabase other(
        testserver::ScratchDatabase::Exactly{"kt_transfer_other"});
    root_.Exec("CREATE TABLE kt_transfer_other.kt_transfer_win (id INT)");
    sqlite_->Exec("CREATE TABLE s (id INTEGER)");
    sqlite_->Exec("INSERT INTO s VALUES (1)");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT)");
    OpenWindow();
    window_->RadioGroup1->setItems({kDb, "kt_transfer_other"});
    ConnectAndRun("SELECT id FROM kt_transfer_win", "SELECT id FROM s");
    EXPECT_EQ(form_->CBDB->currentText(), kDb) << "the list shows the connected database";

    form_->CBDB->setCurrentIndex(1);
    EXPECT_EQ(prompts_.shown.back(),
              "The rows go into database kt_transfer_window, the database of "
              "the open connection. Press Disconnect to choose another "
              "one.");
    EXPECT_EQ(form_->CBDB->currentText(), kDb);
    form_->Button8->click();
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_win"), "1");
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_other.kt_transfer_win"), "0");

    // After Disconnect the choice is taken: Exec. MySQL opens the connection on it.
    form_->Button2->click();
    prompts_.shown.clear();
    form_->CBDB->setCurrentIndex(1);
    EXPECT_TRUE(prompts_.shown.isEmpty()) << prompts_.shown.join('|').toStdString();
    form_->Button5->click();
    form_->Button7->click();
    EXPECT_TRUE(form_->AR1->isChecked());
    form_->Button8->click();
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_other.kt_transfer_win"), "1");
}

TEST_F(TransferWindowTest, AConnectionTheServerDroppedCanBeOpenedAgain) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER)");
    sqlite_->Exec("INSERT INTO s VALUES (1), (2)");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT)");
    OpenWindow();
    ConnectAndRun("SELECT id FROM kt_transfer_win", "SELECT id FROM s");
    ASSERT_TRUE(form_->AR1->isChecked());
    // The server drops the window's connections (as after a value over max_allowed_packet).
    const std::string own = root_.Value("SELECT CONNECTION_ID()");
    for (const auto& row : root_.Rows(std::string("SELECT ID FROM information_schema.PROCESSLIST "
                                                  "WHERE DB = '") +
                                      kDb + "' AND ID <> " + own))
        root_.Exec("KILL " + row[0]);

    // The first row had not been sent: the connection is made again once and the rows go in.
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(), "Source count: 2\n\rDest. count: 2");
    EXPECT_TRUE(form_->AR1->isChecked());
    EXPECT_EQ(root_.Value("SELECT COUNT(*) FROM kt_transfer_win"), "2");

    // Label8 follows Close QRY, Disconnect and the close box.
    EXPECT_EQ(form_->Label8->text(), "2");
    form_->Button3->click();
    EXPECT_TRUE(form_->Label8->text().isEmpty());
    form_->Button7->click();
    EXPECT_EQ(form_->Label8->text(), "2");
    form_->Button2->click();
    EXPECT_TRUE(form_->Label8->text().isEmpty());
    EXPECT_TRUE(form_->Label5->text().isEmpty());
    ConnectAndRun("SELECT id FROM kt_transfer_win", "SELECT id FROM s");
    EXPECT_EQ(form_->Label8->text(), "2");
    form_->close();
    EXPECT_TRUE(form_->Label8->text().isEmpty());
}

TEST_F(TransferWindowTest, TheGridsFollowALongTransferAFewTimesASecondNotEveryRow) {
    OpenLongTransfer();
    int destinationSignals = 0, sourceSignals = 0;
    QAbstractItemModel* destination = form_->DBGrid1->model();
    QAbstractItemModel* source = form_->DBGrid2->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        QObject::connect(destination, signal, [&] { ++destinationSignals; });
    QObject::connect(destination, &QAbstractItemModel::dataChanged, [&] { ++destinationSignals; });
    QObject::connect(source, &QAbstractItemModel::headerDataChanged, [&] { ++sourceSignals; });
    QObject::connect(source, &QAbstractItemModel::dataChanged, [&] { ++sourceSignals; });
    form_->Button8->click();
    EXPECT_EQ(prompts_.shown.back(), "Source count: 3000\n\rDest. count: 3000");
    EXPECT_LT(destinationSignals, 300) << "the MySQL grid followed every posted row";
    EXPECT_LT(sourceSignals, 300) << "the source grid followed every row read";
    // Afterwards both grids show every row and the label the position.
    EXPECT_EQ(form_->DBGrid1->model()->rowCount(), 3000);
    EXPECT_EQ(form_->DBGrid2->model()->rowCount(), 3000);
    EXPECT_EQ(form_->Label5->text(), "3000/3000");
    EXPECT_EQ(form_->DBGrid1->currentIndex().row(), 2999);
}

TEST_F(TransferWindowTest, BothGridsShowBytesAndGeometriesReadably) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    const std::string gif = std::string("GIF89a") + std::string(30, '\x01');
    sqlite_->Exec("CREATE TABLE s (id INTEGER, data BLOB)");
    sqlite_->InsertRows("INSERT INTO s VALUES (?, ?)",
                        {{Int(1), Bytes(bytes)}, {Int(2), Bytes(gif)}});
    root_.Exec("CREATE TABLE kt_transfer_win (id INT PRIMARY KEY, data LONGBLOB, pt POINT)");
    root_.Exec("INSERT INTO kt_transfer_win VALUES (1, X'00FF10', ST_GeomFromText('POINT(1 2)'))");
    OpenWindow();
    ConnectAndRun("SELECT id, data, pt FROM kt_transfer_win", "SELECT id, data FROM s ORDER BY id");
    auto cell = [](TDBGrid* grid, int row, int column) {
        return grid->model()->index(row, column).data().toString();
    };
    EXPECT_EQ(cell(form_->DBGrid1, 0, 1), "0x00FF10");
    EXPECT_EQ(cell(form_->DBGrid1, 0, 2), "POINT(1 2)");
    EXPECT_EQ(cell(form_->DBGrid2, 0, 1),
              "(BLOB 256 B) 00 01 02 03 04 05 06 07" + QString(QChar(0x2026)));
    EXPECT_EQ(cell(form_->DBGrid2, 1, 1), "(BLOB 36 B, GIF image)");

    // The value viewer opens from the source grid as from any grid.
    prompts_.dialogs.push_back([&](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QPlainTextEdit*>("memHex")->toPlainText().startsWith(
            "00000000  00 01 02 03"));
        dialog.reject();
    });
    EXPECT_TRUE(form_->DBGrid2->viewValue(form_->DBGrid2->model()->index(0, 1)));
    EXPECT_TRUE(prompts_.dialogs.empty());
}

TEST_F(TransferWindowTest, ARowThatWaitsForALockCanBeStoppedAndTheRowsCopiedStay) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER)");
    sqlite_->Exec("INSERT INTO s VALUES (1), (2), (3), (4)");
    root_.Exec("CREATE TABLE kt_transfer_win (id INT PRIMARY KEY) ENGINE=InnoDB");
    // Another client writes row 3 in an open transaction: the transfer's row 3 waits for it.
    testserver::RootConnection other;
    other.Exec(std::string("USE ") + kDb);
    other.Exec("BEGIN");
    other.Exec("INSERT INTO kt_transfer_win VALUES (3)");
    OpenWindow();
    ConnectAndRun("SELECT id FROM kt_transfer_win", "SELECT id FROM s ORDER BY id");
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    {
        StatementWatch watch(form_.get(), StatementWatch::OnProgress::Stop);
        form_->Button8->click();
        watch.CommandEnded();
        EXPECT_TRUE(watch.progressShown);
        EXPECT_TRUE(watch.stopEnabled);
        EXPECT_GT(watch.paints, 0);
        EXPECT_GE(watch.EndedAfterActionMs(), 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    ASSERT_FALSE(prompts_.shown.isEmpty());
    EXPECT_EQ(prompts_.shown.back(), "The transfer stopped at a row that could not be written; 2 "
                                     "rows were copied before it.\n\rStopped by the operator");
    other.Exec("ROLLBACK");
    EXPECT_EQ(root_.Rows("SELECT id FROM kt_transfer_win ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1"}, {"2"}}));
    // The connection goes on: the next transfer copies the rest.
    EXPECT_TRUE(form_->AR1->isChecked());
    form_->hide();
}

TEST_F(TransferWindowTest, OneStopEndsTheConnectToAServerThatNeverAnswers) {
    OpenWindow();
    SilentServer silent;
    ASSERT_FALSE(silent.Host().empty());
    form_->edtHostname->setText(QString::fromStdString(silent.Host()));
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    prompts_.shown.clear();
    {
        StatementWatch watch(form_.get(), StatementWatch::OnProgress::Stop);
        form_->Button1->click();
        watch.CommandEnded();
        EXPECT_TRUE(watch.progressShown);
        EXPECT_GE(watch.EndedAfterActionMs(), 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    EXPECT_EQ(prompts_.shown, QStringList({"Connecting stopped by the operator"}));
    EXPECT_FALSE(form_->RB1->isChecked());
    EXPECT_FALSE(form_->AR1->isChecked());
    silent.Close();
    form_->hide();
}
