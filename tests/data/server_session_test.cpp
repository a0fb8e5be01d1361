#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/server_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

SessionLogin RootLogin(const std::string& database = {}) {
    return {testserver::kHost, testserver::kRootUser, testserver::kRootPassword, database,
            testserver::kPort};
}

class ServerSessionTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root_.Exec(std::string("CREATE TABLE ") + Db() + ".t (id INT PRIMARY KEY, s VARCHAR(20))");
        root_.Exec(std::string("INSERT INTO ") + Db() + ".t VALUES (1, 'one'), (2, NULL), (3, '')");
        root_.Exec(std::string("CREATE PROCEDURE ") + Db() +
                   ".two_sets() BEGIN SELECT 'first'; SELECT 'second'; END");
        root_.Exec(std::string("CREATE PROCEDURE ") + Db() +
                   ".fails_later() BEGIN SELECT 'first'; SELECT * FROM no_such_table; END");
        ASSERT_TRUE(session_.Connect(RootLogin(Db()))) << session_.Error().text;
    }

    testserver::RootConnection root_;
    ServerSession session_;
};

TEST_F(ServerSessionTest, RowsComeAsTextWithNullAsEmpty) {
    const SessionResult r = session_.Run("SELECT id, s FROM t ORDER BY id");
    ASSERT_FALSE(r.failed) << session_.Error().text;
    EXPECT_TRUE(r.hasRows);
    EXPECT_EQ(r.fieldCount, 2u);
    EXPECT_EQ(r.rows, (std::vector<TextRow>{{"1", "one"}, {"2", ""}, {"3", ""}}));

    const SessionResult none = session_.Run("SELECT id FROM t WHERE id > 10");
    EXPECT_FALSE(none.failed);
    EXPECT_TRUE(none.hasRows);
    EXPECT_TRUE(none.rows.empty());
}

TEST_F(ServerSessionTest, StatementsWithoutRowsAnswerTheirCount) {
    const SessionResult r = session_.Run("UPDATE t SET s = 'x' WHERE id >= 2");
    ASSERT_FALSE(r.failed);
    EXPECT_FALSE(r.hasRows);
    EXPECT_EQ(r.fieldCount, 0u);
    EXPECT_EQ(r.affectedRows, 2u);
}

TEST_F(ServerSessionTest, StatementIsSentWithItsLength) {
    const std::string sql("SELECT 'a\0b'", 13);
    const SessionResult r = session_.Run(sql);
    ASSERT_FALSE(r.failed) << session_.Error().text;
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0], std::string("a\0b", 3));
}

TEST_F(ServerSessionTest, ErrorsGiveTheirNumberAndTrimmedText) {
    const SessionResult r = session_.Run("SELECT * FROM no_such_table");
    EXPECT_TRUE(r.failed);
    const SessionError e = session_.Error();
    EXPECT_EQ(e.number, 1146u);
    EXPECT_NE(e.text.find("no_such_table"), std::string::npos);
    EXPECT_NE(e.text.back(), ' ');
    // The session stays usable after a refused statement.
    EXPECT_TRUE(session_.Exec("SELECT 1"));
    EXPECT_FALSE(session_.Failed());
}

TEST_F(ServerSessionTest, EveryResultIsDrainedAndALaterErrorIsReported) {
    const SessionResult two = session_.Run("CALL two_sets()");
    ASSERT_FALSE(two.failed) << session_.Error().text;
    EXPECT_EQ(two.rows, (std::vector<TextRow>{{"first"}}));
    // Results left unread would make this fail with "Commands out of sync".
    EXPECT_TRUE(session_.Exec("SELECT 1")) << session_.Error().text;

    const SessionResult later = session_.Run("CALL fails_later()");
    EXPECT_TRUE(later.failed);
    EXPECT_EQ(session_.Error().number, 1146u);
    EXPECT_TRUE(session_.Exec("SELECT 1")) << session_.Error().text;
}

TEST_F(ServerSessionTest, ConnectionCallsAndTheirFailures) {
    ServerSession s;
    EXPECT_FALSE(s);
    EXPECT_TRUE(s.Run("SELECT 1").failed); // nothing to run on

    SessionLogin wrong = RootLogin();
    wrong.password = "wrong";
    EXPECT_FALSE(s.Connect(wrong));
    EXPECT_EQ(s.Error().number, 1045u);

    ASSERT_TRUE(s.ConnectShort(testserver::kHost, testserver::kRootUser, testserver::kRootPassword))
        << s.Error().text;
    EXPECT_TRUE(s.Ping());
    EXPECT_FALSE(s.ServerInfo().empty());
    EXPECT_FALSE(s.HostInfo().empty());
    EXPECT_FALSE(s.SelectDatabase("kt_structure_no_such_db"));
    EXPECT_TRUE(s.SelectDatabase(Db()));
    EXPECT_EQ(s.Run("SELECT DATABASE()").rows, (std::vector<TextRow>{{Db()}}));
}

TEST_F(ServerSessionTest, CreateAndDropTakeTheNameLiterally) {
    const std::string odd = "kt_structure_a b;c";
    root_.Exec("DROP DATABASE IF EXISTS `" + odd + "`");
    ASSERT_TRUE(session_.CreateDatabase(odd)) << session_.Error().text;
    EXPECT_EQ(root_.Value("SHOW DATABASES LIKE 'kt_structure_a b;c'"), odd);
    EXPECT_TRUE(session_.DropDatabase(odd));
    EXPECT_EQ(root_.Value("SHOW DATABASES LIKE 'kt_structure_a b;c'"), "");
    EXPECT_FALSE(session_.DropDatabase(odd));
    EXPECT_EQ(session_.Error().number, 1008u); // it does not exist
}

TEST_F(ServerSessionTest, ClosingEndsTheConnectionOnTheServer) {
    unsigned long id = 0;
    {
        ServerSession s;
        ASSERT_TRUE(s.Connect(RootLogin()));
        id = s.ThreadId();
        ASSERT_NE(id, 0u);
        EXPECT_TRUE(testserver::ThreadListed(root_, id));
    }
    for (int i = 0; i < 100 && testserver::ThreadListed(root_, id); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(testserver::ThreadListed(root_, id));
}

} // namespace
