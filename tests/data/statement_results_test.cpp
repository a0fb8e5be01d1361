// A connection stays in step with the server: every result a statement answers is read (a CALL
// answers several), a streamed result is read to its end or released before the connection
// carries anything else, and a database closes its queries before its connection goes.
#include "data_fixture.h"

#include "data/dir_query.h"

namespace {

class ResultsTest : public DataFixture {
protected:
    ResultsTest() : DataFixture() {}
    void SetUp() override {
        DataFixture::SetUp();
        Use("CREATE TABLE t (id INT PRIMARY KEY, s VARCHAR(20))");
        Use("INSERT INTO t SELECT seq, CONCAT('row ', seq) FROM seq_1_to_500");
        Use("CREATE PROCEDURE two_results() BEGIN SELECT id FROM t WHERE id <= 3; "
            "SELECT 'second' AS s; END");
        Use("CREATE PROCEDURE late_failure() BEGIN SELECT 1 AS one; "
            "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'failed after the rows'; END");
        db_.Connect();
    }
    // The database's connection takes the next statement.
    void ExpectInStep() { EXPECT_EQ(db_.SelectValue("COUNT(*) FROM t"), "500"); }
};

TEST_F(ResultsTest, ExecSqlReadsEveryResultAndReportsALaterFailure) {
    db_.ExecSQL("CALL two_results()");
    ExpectInStep();
    EXPECT_EQ(ErrorOf([&] { db_.ExecSQL("CALL late_failure()"); }), "failed after the rows");
    ExpectInStep();
    EXPECT_TRUE(db_.Connected());

    TDirMySqlQuery direct(&db_.DirConnect());
    direct.Sql = "CALL two_results()";
    EXPECT_EQ(direct.ExecSql(), dsNone);
    ExpectInStep();
}

TEST_F(ResultsTest, DirectQueryReadsTheResultsAfterItsRowsInBothModes) {
    for (const bool store : {true, false}) {
        SCOPED_TRACE(store ? "stored" : "streamed");
        TDirMySqlQuery q(&db_.DirConnect());
        q.SetStoreResult(store);
        q.Sql = "CALL two_results()";
        q.Open();
        ASSERT_EQ(q.GetStatus(), dsRows);
        std::vector<std::string> ids;
        for (; !q.GetEof(); q.Next())
            ids.push_back(q.GetField(0));
        EXPECT_EQ(ids, (std::vector<std::string>{"1", "2", "3"}));
        EXPECT_FALSE(q.ReadFailed());
        ExpectInStep();
        q.Close();

        // Closed after its first row, and failing after its rows.
        q.Open();
        q.Close();
        ExpectInStep();
        q.Sql = "CALL late_failure()";
        q.Open();
        if (store) {
            EXPECT_EQ(q.GetStatus(), dsError);
        } else {
            while (!q.GetEof())
                q.Next();
            EXPECT_TRUE(q.ReadFailed());
        }
        EXPECT_EQ(db_.DirConnect().GetErrorMsg(), "failed after the rows");
        q.Close();
        ExpectInStep();
    }
}

TEST_F(ResultsTest, AllRowsAreReadAtOpenEvenWhenCachedUpdatesHideThem) {
    q_.SetDatabase(&db_);
    q_.QueryAllRecords = true;
    q_.CachedUpdates = true;
    q_.ShowRecordTypes = rtInserted | rtModified;
    q_.SetSQLText("SELECT * FROM t");
    q_.Open();
    EXPECT_EQ(q_.CachedRowCount(), 500u);
    ExpectInStep();
    q_.ShowRecordTypes |= rtUnmodified;
    q_.Last();
    EXPECT_EQ(q_.FieldByName("id").AsString(), "500");

    // A procedure's later result is read as well.
    q_.SetSQLText("CALL two_results()");
    q_.Open();
    EXPECT_EQ(q_.RecordCount(), 3);
    ExpectInStep();
    q_.SetSQLText("CALL late_failure()");
    EXPECT_EQ(ErrorOf([&] { q_.Open(); }), "failed after the rows");
    EXPECT_FALSE(q_.Active());
    ExpectInStep();
}

TEST_F(ResultsTest, ADatabaseClosesItsQueriesBeforeItsConnectionGoes) {
    for (const bool store : {true, false}) {
        q_.SetDatabase(&db_);
        q_.StoreResult = store;
        q_.SetSQLText("SELECT * FROM t");
        q_.Open();
        q_.Next();
        db_.Disconnect();
        EXPECT_FALSE(q_.Active());
        q_.Open();
        db_.SetHost(testserver::kHost);
        EXPECT_FALSE(q_.Active());
        q_.Open();
        db_.SetDatabase(Db());
        EXPECT_FALSE(q_.Active());
    }
    {
        auto gone = std::make_unique<TMySQLDatabase>();
        gone->SetHost(testserver::kHost);
        gone->SetLogin(testserver::kRootUser);
        gone->SetPassword(testserver::kRootPassword);
        gone->SetDatabase(Db());
        q_.SetDatabase(gone.get());
        q_.QueryAllRecords = false;
        q_.Open();
        gone.reset();
        EXPECT_FALSE(q_.Active());
        EXPECT_EQ(q_.Database(), nullptr);
        EXPECT_EQ(ErrorOf([&] { q_.Open(); }), "Component Connection not defined");
    }
}

} // namespace
