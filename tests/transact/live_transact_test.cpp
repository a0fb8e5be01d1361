// Live editing through a transact-server: the server's counts make a write that found no row an
// error as it is straight to the database, its insert id gives a new row its key, and without
// one an edit of a new row is refused rather than sent with a condition on an unknown key.
#include "scripted_listener.h"
#include "support/scratch_database.h"
#include "support/test_server.h"
#include "transact_server_process.h"

#include "data/live_errors.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"
#include "data/transact_dialogue.h"

#include <gtest/gtest.h>

namespace {

using L = ScriptedListener;
template <typename F> std::string ErrorText(F f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

class LiveTransactTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root_.Exec(std::string("CREATE TABLE ") + Db() +
                   ".t (id INT AUTO_INCREMENT PRIMARY KEY, v VARCHAR(10))");
        root_.Exec(std::string("INSERT INTO ") + Db() + ".t VALUES (1, 'one')");
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(Db());
        transact_.SetDatabase(&db_);
        transact_.SetHost("127.0.0.1");
        transact_.UseTransServer = true;
        transact_.AutoCommit = true;
        q_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
        q_.RequestLive = true;
        q_.SetSQLText("SELECT * FROM t ORDER BY id");
    }
    void TearDown() override {
        q_.Close();
        transact_.Disconnect();
        db_.Disconnect();
    }
    std::string Value(const std::string& sql) {
        root_.Exec(std::string("USE ") + Db());
        return root_.Value(sql);
    }
    void Edit(const char* v) {
        q_.Edit();
        q_.FieldByName("v").SetAsString(v);
        q_.Post();
    }

    testserver::RootConnection root_;
    TMySQLDatabase db_;
    TMySQLTransact transact_;
    TMySQLQuery q_;
};

TEST(TransactAnswerTest, AnOkAnswerCarriesTheCountsWhenTheServerSendsThem) {
    const ExecResult counted = CountsOfAnswer("OK matched=2 insert_id=18446744073709551615\n");
    EXPECT_TRUE(counted.countsKnown);
    EXPECT_EQ(counted.matchedRows, 2u);
    EXPECT_EQ(counted.insertId, 18446744073709551615ull);
    EXPECT_FALSE(CountsOfAnswer("OK\n").countsKnown);
    EXPECT_FALSE(CountsOfAnswer("OK matched=x insert_id=1").countsKnown);
    EXPECT_FALSE(CountsOfAnswer("Error: matched=1 insert_id=1").countsKnown);
    EXPECT_TRUE(CountsOfAnswer("OK insert_id=0 later=7 matched=0").countsKnown);
}

TEST_F(LiveTransactTest, ANewRowGetsItsKeyAndARowThatIsGoneIsReported) {
    TransactServerProcess server;
    transact_.Port = server.PortText();
    q_.Open();
    q_.Append();
    q_.FieldByName("v").SetAsString("new");
    q_.Post();
    EXPECT_EQ(q_.FieldByName("id").AsString(), "2");
    Edit("changed");
    EXPECT_EQ(Value("SELECT v FROM t WHERE id = 2"), "changed");
    // Read back from the server: what another user changed since shows after the next write.
    root_.Exec(std::string("DELETE FROM ") + Db() + ".t WHERE id = 2");
    EXPECT_EQ(ErrorText([&] { Edit("lost"); }), liveerr::kRowChanged);
    q_.Cancel();
    q_.First();
    root_.Exec(std::string("DELETE FROM ") + Db() + ".t WHERE id = 1");
    EXPECT_EQ(ErrorText([&] { q_.Delete(); }), liveerr::kRowChanged);
}

TEST_F(LiveTransactTest, WithoutAnInsertIdANewRowIsNotChangedByAGuessedKey) {
    // A transact-server that answers a bare OK, as older ones do.
    std::vector<L::Step> script = {L::Send("login: "), L::ReadLine(),   L::Send("password: "),
                                   L::ReadLine(),      L::Send("\n\r"), L::ReadLine(),
                                   L::Send("OK\n"),    L::ReadLine(),   L::Send("OK\n"),
                                   L::ReadLine(),      L::Send("OK\n")};
    L listener(script, std::chrono::seconds(2));
    transact_.Port = listener.PortText();
    q_.Open();
    q_.Append();
    q_.FieldByName("v").SetAsString("new");
    q_.Post();
    EXPECT_TRUE(q_.FieldByName("id").IsNull());
    EXPECT_EQ(ErrorText([&] { Edit("changed"); }), liveerr::kKeyUnknown);
    q_.Cancel();
    EXPECT_EQ(ErrorText([&] { q_.Delete(); }), liveerr::kKeyUnknown);
    transact_.Disconnect();
    listener.Finish();
    // The INSERT and its COMMIT, and nothing with a condition on the unknown key.
    ASSERT_GE(listener.Lines().size(), 5u);
    EXPECT_EQ(listener.Lines()[3].rfind("INSERT INTO t", 0), 0u) << listener.Lines()[3];
    for (const std::string& line : listener.Lines())
        EXPECT_EQ(line.find("IS NULL"), std::string::npos) << line;
}

} // namespace
