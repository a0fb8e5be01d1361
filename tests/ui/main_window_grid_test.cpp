// The main window's grid and navigator fed by the data module's DataSource1, and the record
// position of MySQLQuery1 in the transfer window's Label5.
#include "support/scratch_database.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include "shell/data_module.h"
#include "shell/main_window.h"
#include "transfer/transfer_window.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(MainWindowGrid, SharedQueryShowsInTheGridAndItsPositionInLabel5) {
    const testserver::ScratchDatabase scratch;
    const std::string& kDb = scratch.name();
    testserver::RootConnection root;
    root.Exec(std::string("CREATE TABLE ") + kDb + ".t (id INT PRIMARY KEY, name VARCHAR(10))");
    root.Exec(std::string("INSERT INTO ") + kDb + ".t VALUES (1,'a'),(2,'b'),(3,'c')");
    ClearSettings();
    ScriptedPrompts prompts;
    {
        // Created and handed over as start-up does.
        auto window = std::make_unique<TQueryFrm1>();
        auto dm = std::make_unique<TDM1>();
        auto transfer = std::make_unique<TForm1>();
        window->AttachDataModule(*dm);
        window->AttachTransferWindow(*transfer, *dm);
        window->show();
        TDataSetModel& model = *window->DBGrid1->dataModel();
        EXPECT_EQ(window->DBGrid1->dataSource(), dm->DataSource1);
        EXPECT_EQ(window->DBNavigator1->dataSource(), dm->DataSource1);
        EXPECT_FALSE(window->DBNavigator1->button(TDBNavigator::Refresh)->isEnabled());

        TMySQLDatabase& db = dm->MySQLDatabase1;
        db.SetHost(testserver::kHost);
        db.SetPort("3306");
        db.SetLogin(testserver::kRootUser);
        db.SetPassword(testserver::kRootPassword);
        db.SetDatabase(kDb);
        dm->MySQLQuery1.SetSQLText("SELECT * FROM t ORDER BY id");
        dm->MySQLQuery1.Open();
        QApplication::processEvents();
        EXPECT_EQ(model.rowCount(), 3);
        EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "name");
        EXPECT_EQ(transfer->Label5->text(), "1/3");
        EXPECT_TRUE(window->DBNavigator1->button(TDBNavigator::Next)->isEnabled());

        window->DBNavigator1->button(TDBNavigator::Next)->click();
        EXPECT_EQ(window->DBGrid1->currentIndex().row(), 1);
        EXPECT_EQ(transfer->Label5->text(), "2/3");
        window->DBGrid1->setCurrentIndex(model.index(2, 0));
        EXPECT_EQ(transfer->Label5->text(), "3/3");

        // A position that cannot be read empties the label.
        dm->MySQLQuery1.Close();
        EXPECT_EQ(model.rowCount(), 0);
        dm->MySQLQuery1AfterScroll(dm->MySQLQuery1);
        EXPECT_TRUE(transfer->Label5->text().isEmpty());

        // The data module going first leaves the window's controls empty, not dangling.
        dm->MySQLQuery1.Open();
        dm.reset();
        QApplication::processEvents();
        EXPECT_EQ(model.rowCount(), 0);
        EXPECT_FALSE(window->DBNavigator1->button(TDBNavigator::Next)->isEnabled());
        window->DBGrid1->viewport()->grab();
    }
    EXPECT_TRUE(prompts.shown.isEmpty());
    ClearSettings();
}

} // namespace
