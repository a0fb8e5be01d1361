// The data module's MySQL objects: the query writes through the transaction, which in the module's
// plain mode only needs the database.
#include "shell/dm1.h"
#include "support/scratch_database.h"
#include "support/test_server.h"

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

} // namespace
