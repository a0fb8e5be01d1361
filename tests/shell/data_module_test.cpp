// The data module's MySQL objects: the query writes through the transaction, which in the module's
// plain mode only needs the database.
#include "shell/data_module.h"
#include "shell/main_window.h"
#include "support/scratch_database.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"
#include "transfer/transfer_window.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

TEST(DataModule, TheLiveQueryOpensThroughAPlainModeTransaction) {
    const testserver::ScratchDatabase scratch;
    const std::string& kDb = scratch.name();
    testserver::RootConnection root;
    root.Exec(std::string("CREATE TABLE ") + kDb + ".t (id INT PRIMARY KEY)");
    {
        TDM1 dm;
        TMySQLTransact& t = dm.MySQLTransact1;
        EXPECT_EQ(t.Database(), &dm.MySQLDatabase1);
        EXPECT_EQ(dm.MySQLQuery1.Transaction(), &t);
        EXPECT_EQ(t.Host(), "localhost");
        EXPECT_EQ(t.Port, "19700");
        EXPECT_FALSE(t.UseTransServer);
        EXPECT_TRUE(t.AutoCommit);

        dm.MySQLDatabase1.SetHost(testserver::kHost);
        dm.MySQLDatabase1.SetPassword(testserver::kRootPassword);
        dm.MySQLDatabase1.SetDatabase(kDb);
        dm.MySQLQuery1.SetSQLText("SELECT * FROM t");
        dm.MySQLQuery1.Open();
        EXPECT_TRUE(t.Connected());
        EXPECT_FALSE(t.TransactConnect().HasSocket());
        t.ExecSQL("INSERT INTO t VALUES (7)");
        EXPECT_EQ(root.Value(std::string("SELECT id FROM ") + kDb + ".t"), "7");
    }
}

// The data module reaches no window of its own accord: a window shows it, and the transfer window
// its record position, once start-up has handed it over.
TEST(DataModule, WindowsGetTheModuleOnlyWhenHandedOver) {
    ClearSettings();
    ScriptedPrompts prompts;
    TQueryFrm1 window;
    TDM1 dm;
    TForm1 transfer;
    EXPECT_EQ(window.DBGrid1->dataSource(), nullptr);
    EXPECT_EQ(window.sharedQuery(), nullptr);
    transfer.Label5->setText(QStringLiteral("untouched"));
    dm.MySQLQuery1AfterScroll(dm.MySQLQuery1);
    EXPECT_EQ(transfer.Label5->text(), "untouched");

    window.AttachDataModule(dm);
    window.AttachTransferWindow(transfer, dm);
    EXPECT_EQ(window.DBGrid1->dataSource(), dm.DataSource1);
    EXPECT_EQ(window.DBNavigator1->dataSource(), dm.DataSource1);
    EXPECT_EQ(window.sharedQuery(), &dm);
    dm.MySQLQuery1AfterScroll(dm.MySQLQuery1); // a closed query has no position to show
    EXPECT_TRUE(transfer.Label5->text().isEmpty());
}

} // namespace
