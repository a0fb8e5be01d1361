// Rows edited, inserted and deleted through a live query reach the server, one row at a time, with
// and without cached updates.
#include "live_fixture.h"

#include "data/blob_stream.h"
#include "data/live_errors.h"

namespace {

constexpr const char* kRowChanged = liveerr::kRowChanged;

TEST_F(LiveTest, KeylessTableWithDuplicateRowsChangesOneRowAtATime) {
    Use("CREATE TABLE k (a INT, b VARCHAR(10), f FLOAT)");
    Use("INSERT INTO k VALUES (1,'dup',0.1),(1,'dup',0.1),(2,NULL,0.5)");
    Open("SELECT * FROM k");
    EditRow({{"b", "one"}});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM k WHERE b = 'dup'"), "1");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM k WHERE b = 'one'"), "1");
    // A NULL is found with IS NULL, a FLOAT is not compared.
    q_.Last();
    EditRow({{"a", "3"}});
    EXPECT_EQ(Value("SELECT a FROM k WHERE b IS NULL"), "3");
    // One of the two equal rows deleted, the other kept.
    q_.First();
    q_.Next();
    EXPECT_EQ(Text("b"), "dup");
    q_.Delete();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM k"), "2");
    EXPECT_EQ(q_.RecordCount(), 2);
    EXPECT_EQ(Text("a"), "3"); // the row after the deleted one is current
    EXPECT_EQ(q_.Log().Count(), 0u);
}

TEST_F(LiveTest, InsertGoesToTheEndOfTheCacheWithTheIdTheServerGave) {
    Use("CREATE TABLE a (id BIGINT UNSIGNED AUTO_INCREMENT PRIMARY KEY, name VARCHAR(4) NOT NULL)");
    Use("INSERT INTO a VALUES (18446744073709551000, 'x'), (18446744073709551001, 'y')");
    Open("SELECT * FROM a ORDER BY id");
    q_.Last(); // every row read: the new row goes after them
    q_.First();
    q_.Insert(); // before the first row on screen
    q_.FieldByName("name").SetAsString("longer than four");
    q_.Post();
    EXPECT_EQ(Text("name"), "long"); // cut to the column's size
    EXPECT_EQ(Text("id"), "18446744073709551002");
    EXPECT_EQ(q_.RecNo(), 3); // at the end of the cache
    EXPECT_EQ(q_.RowValue(3, 0).i, static_cast<std::int64_t>(18446744073709551002ull));
    EXPECT_EQ(Value("SELECT name FROM a WHERE id = 18446744073709551002"), "long");
    // The new row can be edited and deleted at once: its key is known.
    EditRow({{"name", "z"}});
    EXPECT_EQ(Value("SELECT name FROM a WHERE id = 18446744073709551002"), "z");
    q_.Delete();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM a"), "2");
}

TEST_F(LiveTest, UseGenTakesNewKeysFromTheServersGenerator) {
    Use("CREATE TABLE g (id INT PRIMARY KEY, v INT)");
    Use("CREATE FUNCTION GETGEN(name VARCHAR(64)) RETURNS BIGINT RETURN 41 + LENGTH(name)");
    q_.UseGen = true;
    Open("SELECT * FROM g");
    q_.Append();
    q_.FieldByName("v").SetAsString("7");
    q_.Post();
    EXPECT_EQ(Text("id"), "42");
    EXPECT_EQ(Value("SELECT v FROM g WHERE id = 42"), "7");
}

TEST_F(LiveTest, ExactKeysFindTheirRowAmongCloseNeighbours) {
    Use("CREATE TABLE e (big BIGINT PRIMARY KEY, v INT)");
    Use("INSERT INTO e VALUES (9007199254740993, 0), (9007199254740992, 0)");
    Use("CREATE TABLE d (dec30 DECIMAL(30,10) PRIMARY KEY, v INT)");
    Use("INSERT INTO d VALUES (12345678901234567890.0000000001, 0), "
        "(12345678901234567890.0000000002, 0)");
    Use("CREATE TABLE t (at DATETIME(3) PRIMARY KEY, v INT)");
    Use("INSERT INTO t VALUES ('2020-01-01 10:00:00.001', 0), ('2020-01-01 10:00:00.002', 0)");
    for (const char* table : {"e", "d", "t"}) {
        q_.Close();
        Open(std::string("SELECT * FROM ") + table + " ORDER BY 1 DESC");
        EditRow({{"v", "1"}});
        EXPECT_EQ(Value(std::string("SELECT GROUP_CONCAT(v ORDER BY 1 DESC) FROM ") + table), "1,0")
            << table;
    }
}

TEST_F(LiveTest, ARowChangedOrDeletedElsewhereIsReportedAndKept) {
    Use("CREATE TABLE k (a INT, b VARCHAR(10))");
    Use("INSERT INTO k VALUES (1,'a'),(2,'b')");
    Open("SELECT * FROM k ORDER BY a");
    Use("UPDATE k SET b = 'other' WHERE a = 1");
    q_.Edit();
    q_.FieldByName("b").SetAsString("mine");
    EXPECT_EQ(ErrorOf([&] { q_.Post(); }), kRowChanged);
    // The operator's values stay in the edit, nothing was written.
    EXPECT_EQ(q_.State(), DataSetState::Edit);
    EXPECT_EQ(Text("b"), "mine");
    EXPECT_EQ(Value("SELECT b FROM k WHERE a = 1"), "other");
    q_.Cancel();
    EXPECT_EQ(q_.Log().Count(), 0u);

    // Under cached updates the change stays pending.
    q_.CachedUpdates = true;
    q_.Next();
    Use("DELETE FROM k WHERE a = 2");
    EditRow({{"b", "gone"}});
    EXPECT_EQ(ErrorOf([&] { q_.ApplyUpdates(); }), kRowChanged);
    EXPECT_TRUE(q_.UpdatesPending());
    EXPECT_EQ(q_.UpdateStatus(), rsModified);
}

TEST_F(LiveTest, AnEditOfValuesTheRowAlreadyHasIsNotTakenForARowThatIsGone) {
    Use("CREATE TABLE k (id INT PRIMARY KEY, b VARCHAR(10))");
    Use("INSERT INTO k VALUES (1,'a')");
    Open("SELECT * FROM k");
    Use("UPDATE k SET b = 'same' WHERE id = 1");
    EditRow({{"b", "same"}}); // matched, though nothing changed
    EXPECT_EQ(transact_.sent,
              (std::vector<std::string>{
                  "UPDATE k SET b='same' WHERE id = 1 AND (CAST(CONVERT(b USING utf8mb4) AS "
                  "BINARY) = CAST('a' AS BINARY) OR CAST(CONVERT(b USING utf8mb4) AS BINARY) = "
                  "CAST('same' AS BINARY))"}));
}

TEST_F(LiveTest, ARefusedWriteLeavesNothingToReplay) {
    Use("CREATE TABLE p (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("CREATE TABLE c (id INT PRIMARY KEY, p_id INT, FOREIGN KEY (p_id) REFERENCES p (id))");
    Use("INSERT INTO p VALUES (1,'a'),(2,'b')");
    Use("INSERT INTO c VALUES (10, 1)");
    Open("SELECT * FROM p ORDER BY id");
    // A delete the foreign key forbids: the row stays, unchanged.
    EXPECT_NE(ErrorOf([&] { q_.Delete(); }).find("foreign key"), std::string::npos);
    EXPECT_EQ(q_.UpdateStatus(), rsUnmodified);
    EXPECT_EQ(q_.RecordCount(), 2);
    // A duplicate key: the new row leaves the cache again.
    q_.Append();
    q_.FieldByName("id").SetAsString("2");
    EXPECT_NE(ErrorOf([&] { q_.Post(); }).find("Duplicate"), std::string::npos);
    EXPECT_EQ(q_.State(), DataSetState::Insert);
    q_.Cancel();
    EXPECT_EQ(q_.RowsRead(), 2);
    EXPECT_EQ(q_.Log().Count(), 0u);
    // The next post writes only its own change.
    q_.First();
    EditRow({{"name", "A"}});
    EXPECT_EQ(Rows("SELECT id, name FROM p ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1", "A"}, {"2", "b"}}));
}

TEST_F(LiveTest, CachedUpdatesWaitForApplyAndEveryErrorAction) {
    Use("CREATE TABLE t (id INT PRIMARY KEY, name VARCHAR(10), n INT)");
    Use("INSERT INTO t VALUES (1,'a',NULL),(2,'b',20),(3,'c',30)");
    q_.CachedUpdates = true;
    Open("SELECT * FROM t ORDER BY id");
    EditRow({{"name", "A"}});
    q_.Next();
    q_.Edit();
    q_.FieldByName("n").Clear();
    q_.Post();
    q_.Next();
    q_.Delete(); // hidden now: deleted rows are not shown
    EXPECT_EQ(q_.ViewRowCount(), 2);
    EXPECT_EQ(q_.RecNoToViewRow(3), 0);
    q_.Append();
    q_.FieldByName("id").SetAsString("4");
    q_.Post();
    q_.Append();
    q_.FieldByName("id").SetAsString("5");
    q_.Post();
    q_.Delete(); // never written: it leaves without a statement
    EXPECT_EQ(q_.Log().Count(), 4u);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM t"), "3"); // nothing written yet

    // Another connection takes key 4 first: the insert fails.
    Use("INSERT INTO t VALUES (4,'theirs',0)");
    std::vector<std::string> errors;
    int action = uaFail;
    q_.OnApplyUpdateError = [&](TDataSet& ds, const EDatabaseError& e, int& a) {
        errors.push_back(std::string(e.what()).substr(0, 9) + " at " +
                         ds.FieldByName("id").AsString());
        a = action;
    };
    // Fail: the apply stops there, what went before is written, the rest stays pending.
    EXPECT_NE(ErrorOf([&] { q_.ApplyUpdates(); }).find("Duplicate"), std::string::npos);
    EXPECT_EQ(errors, (std::vector<std::string>{"Duplicate at 4"}));
    EXPECT_EQ(Rows("SELECT id, name, n FROM t ORDER BY id"),
              (std::vector<std::vector<std::string>>{
                  {"1", "A", ""}, {"2", "b", ""}, {"4", "theirs", "0"}}));
    EXPECT_TRUE(q_.UpdatesPending());
    // Retry after the handler made room; each change judged from its own row.
    action = uaRetry;
    q_.OnApplyUpdateError = [&](TDataSet&, const EDatabaseError&, int& a) {
        Use("DELETE FROM t WHERE id = 4");
        a = uaRetry;
    };
    q_.ApplyUpdates();
    EXPECT_FALSE(q_.UpdatesPending());
    q_.CommitUpdates();
    EXPECT_EQ(q_.Log().Count(), 0u);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM t WHERE id = 4 AND name IS NULL"), "1");

    // Abort: the failing change counts as done and the apply goes on.
    q_.First();
    EditRow({{"id", "4"}}); // taken
    q_.Next();
    EditRow({{"name", "B"}});
    q_.OnApplyUpdateError = [](TDataSet&, const EDatabaseError&, int& a) { a = uaAbort; };
    q_.ApplyUpdates();
    q_.CommitUpdates();
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(name ORDER BY id) FROM t"), "A,B");
}

TEST_F(LiveTest, OnApplyUpdatesReplacesTheStatements) {
    Use("CREATE TABLE t (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("INSERT INTO t VALUES (1,'a')");
    q_.CachedUpdates = true;
    Open("SELECT * FROM t");
    EditRow({{"name", "b"}});
    std::vector<std::string> seen;
    q_.OnApplyUpdates = [&](TMySQLQuery&, const TFieldValues& o, const TFieldValues& n,
                            std::uint8_t state) {
        seen.push_back(o.ValueByName("t.name") + ">" + n.ValueByName("t.name") + " " +
                       std::to_string(state) + " " + n.Alias(1));
        EXPECT_EQ(ErrorOf([&] { (void)n.Value(2); }), "Incorrect field number");
        EXPECT_EQ(ErrorOf([&] { (void)n.ValueByName("name"); }), "Incorrect field name");
    };
    q_.ApplyUpdates();
    EXPECT_EQ(seen, (std::vector<std::string>{"a>b 4 name"}));
    EXPECT_EQ(Value("SELECT name FROM t"), "a");
}

// A grid edit writes a CR LF as a line feed; every other byte, and every byte of a write that keeps
// the text as it is (the transfer's), arrives unchanged.
TEST_F(LiveTest, EveryByteOfAMemoSurvivesButAGridEditWritesCrLfAsLf) {
    Use("CREATE TABLE m (a INT, memo TEXT)");
    // A stored CR LF is matched exactly when the row is found by all its columns.
    Use("INSERT INTO m VALUES (1, 'x\\r\\ny')");
    Open("SELECT * FROM m");
    const std::string written("CRLF\r\nLF\nCR\r\"'\\\0\xc4\x8d", 18);
    EditRow({{"a", "2"}});
    EXPECT_EQ(Value("SELECT HEX(memo) FROM m WHERE a = 2"), "780D0A79");
    q_.Edit();
    q_.FieldByName("memo").SetAsString(written);
    q_.Post();
    // CR LF written as a line feed; everything else byte for byte.
    EXPECT_EQ(Value("SELECT HEX(memo) FROM m"), "43524C460A4C460A43520D22275C00C48D");
    EditRow({{"a", "3"}}); // found again by the value just written
    EXPECT_EQ(Value("SELECT a FROM m"), "3");

    q_.WriteTextAsIs = true;
    q_.Edit();
    q_.FieldByName("memo").SetAsString(written);
    q_.Post();
    EXPECT_EQ(Value("SELECT HEX(memo) FROM m"), "43524C460D0A4C460A43520D22275C00C48D");
    EditRow({{"a", "4"}});
    EXPECT_EQ(Value("SELECT a FROM m"), "4");
}

TEST_F(LiveTest, NamesThatNeedQuotingAreQuoted) {
    Use("CREATE TABLE `my table` (`order` INT PRIMARY KEY, `a b` VARCHAR(5))");
    Use("INSERT INTO `my table` VALUES (1, 'x')");
    Open("SELECT * FROM `my table`");
    EditRow({{"a b", "y"}});
    EXPECT_EQ(transact_.sent,
              (std::vector<std::string>{
                  "UPDATE `my table` SET `a b`='y' WHERE `order` = 1 AND (CAST(CONVERT(`a b` USING "
                  "utf8mb4) AS BINARY) = CAST('x' AS BINARY) OR CAST(CONVERT(`a b` USING utf8mb4) "
                  "AS BINARY) = CAST('y' AS BINARY))"}));
}

TEST_F(LiveTest, BlobStreamsReadAndWriteACopy) {
    Use("CREATE TABLE b (id INT PRIMARY KEY, data BLOB)");
    Use("INSERT INTO b VALUES (1, 'abc')");
    Open("SELECT * FROM b");
    TField& data = q_.FieldByName("data");
    char buf[8] = {};
    {
        TMyBlobStream read(data, BlobStreamMode::Read);
        EXPECT_EQ(read.Read(buf, 2), 2u);
        EXPECT_EQ(read.Read(buf + 2, 8), 1u);
        EXPECT_EQ(std::string(buf, 3), "abc");
        EXPECT_EQ(ErrorOf([&] { TMyBlobStream w(data, BlobStreamMode::Write); }),
                  "Not in Insert or Edit mode");
    }
    q_.Edit();
    {
        TMyBlobStream rw(data, BlobStreamMode::ReadWrite);
        rw.Seek(0, SeekOrigin::End);
        rw.Write("\0\r\n", 3);
        rw.Seek(1, SeekOrigin::Beginning);
        rw.Write("B", 1);
        EXPECT_EQ(data.Value().text, "abc"); // nothing written through before the stream ends
    }
    EXPECT_TRUE(q_.Modified());
    q_.Post();
    EXPECT_EQ(Value("SELECT HEX(data) FROM b"), "614263000D0A"); // a blob keeps its CR LF
    q_.Edit();
    {
        TMyBlobStream w(data, BlobStreamMode::Write);
        w.Write("z", 1);
    }
    q_.Post();
    EXPECT_EQ(Value("SELECT data FROM b"), "z");
}

TEST_F(LiveTest, ATableJoinedToItselfOpensReadOnly) {
    Use("CREATE TABLE t (id INT PRIMARY KEY, parent INT)");
    Open("SELECT x.id, y.id FROM t x JOIN t y ON y.parent = x.id");
    EXPECT_FALSE(q_.RequestLive);
    EXPECT_FALSE(q_.CanModify());
}

} // namespace
