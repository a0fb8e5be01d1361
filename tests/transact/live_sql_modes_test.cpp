// Rows written back mean the same on a server whose sql_mode holds ANSI (and so ANSI_QUOTES) and
// NO_BACKSLASH_ESCAPES: straight to the database and through the transact-server.
#include "transact_server_process.h"

#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"
#include "data/session_modes.h"

#include <gtest/gtest.h>

namespace {

const char* const kModesHost = testserver::InstanceHost(4);

void StartModesServer() {
    const int instance = testserver::TestInstance(4);
    ASSERT_TRUE(testserver::RunScript("start " + std::to_string(instance) +
                                      " --sql-mode=ANSI,NO_BACKSLASH_ESCAPES"))
        << "instance " << instance << " did not start";
}

class ModesTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartModesServer());
        scratch_ = std::make_unique<testserver::ScratchDatabase>("live_modes", kModesHost);
        root_ = &scratch_->root();
        ASSERT_NE(root_->Value("SELECT @@GLOBAL.sql_mode").find("NO_BACKSLASH_ESCAPES"),
                  std::string::npos);
        db_.SetHost(kModesHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(scratch_->name());
        transact_.SetDatabase(&db_);
        if (GetParam()) {
            server_ = std::make_unique<TransactServerProcess>(
                std::vector<std::string>{"--mysql-host", kModesHost});
            transact_.SetHost("127.0.0.1");
            transact_.Port = server_->PortText();
            transact_.UseTransServer = true;
            transact_.AutoCommit = true;
        }
        q_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
        q_.RequestLive = true;
    }
    void TearDown() override {
        q_.Close();
        transact_.Disconnect();
        db_.Disconnect();
        scratch_.reset();
    }

    std::unique_ptr<testserver::ScratchDatabase> scratch_;
    testserver::RootConnection* root_ = nullptr; // the scratch database's
    std::unique_ptr<TransactServerProcess> server_;
    TMySQLDatabase db_;
    TMySQLTransact transact_;
    TMySQLQuery q_;
};

TEST_P(ModesTest, ValuesAndConditionsKeepTheirMeaning) {
    root_->Exec("CREATE TABLE t (a VARCHAR(20), b VARCHAR(20), `order` INT)");
    root_->Exec("INSERT INTO t VALUES ('a','a',1),('b','a',2),('c','c',3)");
    q_.SetSQLText("SELECT * FROM t");
    q_.Open();
    ASSERT_TRUE(q_.CanModify());
    // The first row, found by its columns: a double-quoted "a" would be a column here.
    q_.Edit();
    q_.FieldByName("b").SetAsString("x\\'\"y");
    q_.FieldByName("order").SetAsString("10");
    q_.Post();
    EXPECT_EQ(root_->Rows("SELECT a, HEX(b), `order` FROM t ORDER BY a"),
              (std::vector<std::vector<std::string>>{
                  {"a", "785C272279", "10"}, {"b", "61", "2"}, {"c", "63", "3"}}));
    q_.Append();
    q_.FieldByName("a").SetAsString("back\\slash");
    q_.Post();
    EXPECT_EQ(root_->Value("SELECT HEX(a) FROM t WHERE `order` IS NULL"), "6261636B5C736C617368");
    q_.Delete();
    EXPECT_EQ(root_->Value("SELECT COUNT(*) FROM t"), "3");
}

INSTANTIATE_TEST_SUITE_P(StraightAndThroughTheTransactServer, ModesTest, ::testing::Bool());

TEST(SessionModes, UnsafeModesLeaveAndTheRestStays) {
    EXPECT_EQ(StatementSafeSqlMode("REAL_AS_FLOAT,PIPES_AS_CONCAT,ANSI_QUOTES,IGNORE_SPACE,ANSI,"
                                   "NO_BACKSLASH_ESCAPES"),
              "REAL_AS_FLOAT,PIPES_AS_CONCAT,IGNORE_SPACE");
    EXPECT_EQ(StatementSafeSqlMode("STRICT_TRANS_TABLES,ORACLE,MSSQL,DB2,MAXDB,POSTGRESQL"),
              "STRICT_TRANS_TABLES");
    EXPECT_EQ(StatementSafeSqlMode(""), "");
}

} // namespace
