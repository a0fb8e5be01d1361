// What a live query writes is what the operator typed or nothing, and what it shows afterwards is
// what the server stored: texts that are not numbers are refused, written rows are read back, an
// open blob stream belongs to the post, and a new detail row takes its master's link values.
#include "live_fixture.h"

#include "data/blob_stream.h"
#include "data/live_errors.h"

namespace {

// The ENotAValue that f raises, as "column|text", or what else happened.
template <typename F> std::string Refusal(F f) {
    try {
        f();
    } catch (const ENotAValue& e) {
        return e.Column() + "|" + e.Text();
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
    return "(nothing raised)";
}

TEST_F(LiveTest, TextsThatAreNotValuesOfANumberColumnAreRefusedWhenSet) {
    Use("CREATE TABLE n (id INT PRIMARY KEY, i INT, b BIGINT, u INT UNSIGNED, d DOUBLE, "
        "m DECIMAL(6,2))");
    Use("INSERT INTO n VALUES (1, 7, 7, 7, 7, 7)");
    Open("SELECT * FROM n");
    q_.Edit();
    const std::vector<std::pair<const char*, const char*>> refused = {
        {"i", "12.5"}, {"i", "1e3"}, {"i", "abc"},   {"b", "99999999999999999999"},
        {"u", "-1"},   {"d", "1,5"}, {"d", "1e400"}, {"d", "inf"},
        {"d", "nan"},  {"m", "1,5"}, {"m", "12abc"}, {"i", "9999999999999999999"}};
    for (const auto& [column, text] : refused) {
        EXPECT_EQ(Refusal([&] { q_.FieldByName(column).SetAsString(text); }),
                  std::string(column) + "|" + text);
        EXPECT_EQ(Text(column), std::string(column) == "m" ? "7.00" : "7")
            << column << " keeps its value after " << text;
    }
    EXPECT_FALSE(q_.Modified());
    // The message names the column and the text.
    EXPECT_EQ(ENotAValue("i", "12.5").what(),
              std::string("\"12.5\" is not a value of the column i; nothing was set"));
    // Numbers are taken as typed.
    for (const auto& [column, text] :
         std::vector<std::pair<const char*, const char*>>{{"i", " -12 "},
                                                          {"b", "-9223372036854775808"},
                                                          {"u", "4294967295"},
                                                          {"d", "1.5e3"},
                                                          {"m", "-0.5"}})
        EXPECT_EQ(Refusal([&] { q_.FieldByName(column).SetAsString(text); }), "(nothing raised)")
            << text;
    q_.Post();
    EXPECT_EQ(Rows("SELECT i, b, u, d, m FROM n"),
              (std::vector<std::vector<std::string>>{
                  {"-12", "-9223372036854775808", "4294967295", "1500", "-0.50"}}));
}

TEST_F(LiveTest, TheCacheHoldsWhatTheServerStoredAfterEveryWrite) {
    Use("CREATE TABLE r (id INT AUTO_INCREMENT PRIMARY KEY, name VARCHAR(20), "
        "code BINARY(4), tags SET('a','b','c'), price DECIMAL(5,2), "
        "made INT DEFAULT (6 * 7), "
        "changed TIMESTAMP NOT NULL DEFAULT '2001-01-01 00:00:00' ON UPDATE CURRENT_TIMESTAMP)");
    Use("CREATE TRIGGER r_upper BEFORE UPDATE ON r FOR EACH ROW SET NEW.name = UPPER(NEW.name)");
    Use("INSERT INTO r (name, code, tags, price) VALUES ('x', 'ab', 'a', 1)");
    Open("SELECT * FROM r");
    EditRow({{"name", "lower"}, {"code", "z"}, {"tags", "c,a"}, {"price", "2.345"}});
    EXPECT_EQ(Text("name"), "LOWER");
    EXPECT_EQ(q_.FieldByName("code").ValueText(), std::string("z\0\0\0", 4));
    EXPECT_EQ(Text("tags"), "a,c");
    EXPECT_EQ(Text("price"), "2.35");
    EXPECT_EQ(Text("changed"), Value("SELECT changed FROM r WHERE id = 1"));
    EXPECT_NE(Text("changed"), "2001-01-01");
    // The next edit starts from the stored row and finds it.
    EditRow({{"tags", "b"}});
    EXPECT_EQ(Value("SELECT tags FROM r"), "b");
    EXPECT_EQ(q_.Log().Count(), 0u);

    // A new row, found again by the id the server gave it.
    q_.Append();
    q_.FieldByName("name").SetAsString("new");
    q_.FieldByName("price").SetAsString("0.125");
    q_.Post();
    EXPECT_EQ(Text("id"), "2");
    EXPECT_EQ(Text("made"), "42");
    EXPECT_EQ(Text("price"), "0.13");
    EXPECT_EQ(q_.FieldByName("changed").ValueText(), "2001-01-01 00:00:00");
}

TEST_F(LiveTest, AppliedCachedUpdatesAreReadBackWhateverTheirKeysLookLike) {
    Use("CREATE TABLE c (k CHAR(4) PRIMARY KEY, n INT, v INT, "
        "twice INT AS (v * 2) VIRTUAL)");
    Use("CREATE TABLE c2 (a INT, b VARCHAR(4), v INT, PRIMARY KEY (a, b))");
    Use("INSERT INTO c (k, n, v) VALUES ('a', 1, 1), ('b', 2, 2), ('c', 3, 3)");
    Use("INSERT INTO c2 VALUES (1, 'x', 1), (1, 'y', 1)");
    q_.CachedUpdates = true;
    Open("SELECT * FROM c ORDER BY n");
    EditRow({{"v", "10"}});
    q_.Next();
    EditRow({{"v", "20"}, {"k", "B "}}); // a CHAR key the server stores without its blank
    q_.Append();
    q_.FieldByName("k").SetAsString("d");
    q_.FieldByName("n").SetAsString("4");
    q_.FieldByName("v").SetAsString("40");
    q_.Post();
    q_.ApplyUpdates();
    q_.CommitUpdates();
    q_.First();
    std::vector<std::string> shown;
    for (; !q_.Eof(); q_.Next())
        shown.push_back(Text("k") + "=" + Text("twice"));
    EXPECT_EQ(shown, (std::vector<std::string>{"a=20", "B=40", "c=6", "d=80"}));

    // A key of two columns.
    q_.CachedUpdates = false;
    Open("SELECT * FROM c2 ORDER BY b");
    q_.Next();
    Use("CREATE TRIGGER c2_v BEFORE UPDATE ON c2 FOR EACH ROW SET NEW.v = NEW.v + 100");
    EditRow({{"v", "5"}});
    EXPECT_EQ(Text("v"), "105");
    q_.First();
    EXPECT_EQ(Text("v"), "1");
}

TEST_F(LiveTest, AnOuterJoinRowWithoutItsJoinedRowIsWrittenAndReadBack) {
    Use("CREATE TABLE o (id INT PRIMARY KEY, c_id INT, v VARCHAR(10))");
    Use("CREATE TABLE c (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("CREATE TRIGGER o_v BEFORE UPDATE ON o FOR EACH ROW SET NEW.v = CONCAT(NEW.v, '!')");
    Use("INSERT INTO o VALUES (1, NULL, 'a')");
    Open("SELECT o.id, o.v, c.id AS cid, c.name FROM o LEFT JOIN c ON c.id = o.c_id");
    EditRow({{"v", "b"}}); // the customer's key is NULL: no customer row is looked for
    EXPECT_EQ(Value("SELECT v FROM o"), "b!");
    EXPECT_EQ(Text("v"), "b!");
    EXPECT_TRUE(q_.FieldByName("cid").IsNull());
}

TEST_F(LiveTest, AKeylessRowKeepsTheValuesWritten) {
    // Such a row cannot be found again for sure: the cache keeps the values posted.
    Use("CREATE TABLE kl (a INT, b VARCHAR(10))");
    Use("INSERT INTO kl VALUES (1, 'x')");
    Open("SELECT * FROM kl");
    EditRow({{"b", "y"}});
    EXPECT_EQ(Text("b"), "y");
    EXPECT_EQ(Value("SELECT b FROM kl"), "y");
}

TEST_F(LiveTest, ABlobStreamStillOpenAtPostIsPartOfThePost) {
    Use("CREATE TABLE b (id INT PRIMARY KEY, data BLOB)");
    Use("INSERT INTO b VALUES (1, 'abc')");
    Open("SELECT * FROM b");
    q_.Edit();
    TMyBlobStream w(q_.FieldByName("data"), BlobStreamMode::Write);
    w.Write("open", 4);
    q_.Post();
    EXPECT_EQ(Value("SELECT data FROM b"), "open");
    EXPECT_EQ(Text("data"), "open");
}

TEST_F(LiveTest, ANewDetailRowTakesItsMastersLinkValues) {
    Use("CREATE TABLE m (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("CREATE TABLE d (id INT AUTO_INCREMENT PRIMARY KEY, m_id INT, v VARCHAR(10))");
    Use("INSERT INTO m VALUES (1, 'one'), (2, 'two')");
    Use("INSERT INTO d (m_id, v) VALUES (1, 'a'), (2, 'b')");
    TMySQLQuery master;
    master.SetDatabase(&db_);
    master.SetSQLText("SELECT * FROM m ORDER BY id");
    master.Open();
    master.Next();
    q_.SetMasterSource(&master);
    q_.SetLinkFields("m_id=id");
    Open("SELECT * FROM d");
    ASSERT_EQ(q_.ViewRowCount(), 1);
    q_.Append();
    EXPECT_EQ(Text("m_id"), "2");
    q_.FieldByName("v").SetAsString("c");
    q_.Post();
    EXPECT_EQ(Value("SELECT m_id FROM d WHERE v = 'c'"), "2");
    EXPECT_EQ(q_.ViewRowCount(), 2); // shown under its master
    EXPECT_EQ(Text("v"), "c");

    // Re-run per master row, the link may name a column the select list leaves out: a new row
    // could not take its value.
    q_.LinkRequery = true;
    Open("SELECT id, v FROM d");
    EXPECT_EQ(q_.RecordCount(), 2);
    EXPECT_EQ(ErrorOf([&] { q_.Append(); }), "Incorrect field name \"m_id\"");
    q_.Cancel();
    q_.SetMasterSource(nullptr);
    master.Close();
}

} // namespace
