// A write reaches the one row the operator sees, or none: rows without a key are told apart byte
// for byte, result columns are written through the table column the server reads them from,
// results that show no table rows cannot be edited, and another user's change of an edited value
// is never written over.
#include "live_fixture.h"

#include "data/live_errors.h"

#include <cstdlib>

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kRowChanged = liveerr::kRowChanged;

class ExactRowsTest : public LiveTest {
protected:
    // The text a refusal of a row that cannot be told apart starts with.
    static bool NotDistinct(const std::string& error) {
        return error.rfind("The row cannot be told apart", 0) == 0;
    }
};

TEST_F(ExactRowsTest, KeylessTextsDifferingInCaseOrTrailingBlanksAreToldApart) {
    Use("CREATE TABLE ci (s VARCHAR(5) COLLATE utf8mb4_general_ci, n INT)");
    Use("INSERT INTO ci VALUES ('ab',0),('aB',0),('ab ',0)");
    Open("SELECT s, n FROM ci ORDER BY HEX(s)"); // aB, ab, "ab "
    EditRow({{"n", "1"}});
    q_.Last();
    EditRow({{"n", "3"}});
    EXPECT_EQ(Rows("SELECT HEX(s), n FROM ci ORDER BY HEX(s)"),
              (::Rows{{"6142", "1"}, {"6162", "0"}, {"616220", "3"}}));
    // A _bin collation pads with blanks too.
    Use("CREATE TABLE bin (s VARCHAR(5) COLLATE utf8mb4_bin, n INT)");
    Use("INSERT INTO bin VALUES ('ab',0),('ab ',0)");
    Open("SELECT s, n FROM bin ORDER BY HEX(s) DESC");
    EditRow({{"s", "x"}});
    EXPECT_EQ(Rows("SELECT HEX(s), n FROM bin ORDER BY HEX(s)"),
              (::Rows{{"6162", "0"}, {"78", "0"}}));
}

TEST_F(ExactRowsTest, KeylessFloatAndBitValuesFindTheirRow) {
    Use("CREATE TABLE f (x FLOAT, d DOUBLE, n INT)");
    Use("INSERT INTO f VALUES (0.5,0.1,0),(0.25,0.1,0),(0.25,0.2,0)");
    Open("SELECT x, d, n FROM f ORDER BY x, d");
    q_.Last(); // 0.5
    EditRow({{"n", "1"}});
    q_.Prior(); // 0.25, 0.2
    EditRow({{"n", "2"}});
    EXPECT_EQ(Rows("SELECT x, d, n FROM f ORDER BY x, d"),
              (::Rows{{"0.25", "0.1", "0"}, {"0.25", "0.2", "2"}, {"0.5", "0.1", "1"}}));

    // Strict mode refuses a byte string compared with a BIT; a bit literal is exact.
    Use("CREATE TABLE b (bits BIT(4), n INT)");
    Use("INSERT INTO b VALUES (b'0101',0),(b'0011',0)");
    Open("SELECT bits, n FROM b ORDER BY bits DESC");
    EditRow({{"n", "1"}});
    q_.Next();
    q_.Edit();
    q_.FieldByName("bits").SetAsString(std::string(1, '\x0c'));
    q_.Post();
    EXPECT_EQ(Rows("SELECT BIN(bits), n FROM b ORDER BY bits"),
              (::Rows{{"101", "1"}, {"1100", "0"}}));
}

TEST_F(ExactRowsTest, FloatsThatShowTheSameTextAreRefusedAndAFloatKeyIsEditable) {
    Use("CREATE TABLE r (x FLOAT, n INT)");
    Use("INSERT INTO r VALUES (0.1234567,0),(0.1234568,0)");
    Open("SELECT x, n FROM r");
    EXPECT_EQ(Text("x"), "0.123457");
    q_.Edit();
    q_.FieldByName("n").SetAsString("1");
    const std::string error = ErrorOf([&] { q_.Post(); });
    EXPECT_TRUE(NotDistinct(error)) << error;
    EXPECT_NE(error.find("\"x\""), std::string::npos);
    q_.Cancel();
    EXPECT_EQ(Value("SELECT SUM(n) FROM r"), "0");

    Use("CREATE TABLE k (x FLOAT PRIMARY KEY, v VARCHAR(5))");
    Use("INSERT INTO k VALUES (0.1,'a'),(0.3333333,'b'),(1e30,'c')");
    Open("SELECT x, v FROM k ORDER BY x");
    EditRow({{"v", "A"}});
    q_.Next();
    EditRow({{"v", "B"}});
    q_.Next();
    q_.Delete();
    EXPECT_EQ(Rows("SELECT v FROM k ORDER BY x"), (::Rows{{"A"}, {"B"}}));
}

TEST_F(ExactRowsTest, ATimeTheClockChangeRepeatsIsRefusedNamingTheColumn) {
    if (root_.Value(
            "SELECT CONVERT_TZ('2026-01-01 00:00:00', '+00:00', 'Europe/Berlin') IS NULL") == "1") {
        // The server knows no named time zone yet: give it Berlin's.
        const std::string load = "mysql_tzinfo_to_sql /usr/share/zoneinfo/Europe/Berlin "
                                 "Europe/Berlin 2>/dev/null | mysql -h " +
                                 std::string(testserver::kHost) + " -u root -pkestrel mysql";
        ASSERT_EQ(std::system(load.c_str()), 0);
    }
    Use("CREATE TABLE t (at TIMESTAMP PRIMARY KEY, v INT)");
    Use("SET time_zone = '+00:00'");
    // 02:30 summer time, 02:30 winter time, and 03:30 winter time.
    Use("INSERT INTO t VALUES ('2026-10-25 00:30:00',0),('2026-10-25 01:30:00',0),"
        "('2026-10-25 02:30:00',0)");
    db_.Connect();
    db_.ExecSQL("SET time_zone = 'Europe/Berlin'");
    Open("SELECT at, v FROM t ORDER BY at");
    EXPECT_EQ(Text("at"), "2026-10-25 02:30:00");
    q_.Next();
    EXPECT_EQ(Text("at"), "2026-10-25 02:30:00");
    q_.Edit();
    q_.FieldByName("v").SetAsString("1");
    const std::string error = ErrorOf([&] { q_.Post(); });
    EXPECT_EQ(error, "The row cannot be told apart from another row: the time in column \"at\" "
                     "falls in the hour that a clock change repeats; nothing was written");
    q_.Cancel();
    q_.Last();
    EditRow({{"v", "3"}});
    EXPECT_EQ(Rows("SELECT v FROM t ORDER BY at"), (::Rows{{"0"}, {"0"}, {"3"}}));
}

TEST_F(ExactRowsTest, RowsThatDifferOnlyInColumnsLeftOutOfTheResultAreRefused) {
    Use("CREATE TABLE p (id INT PRIMARY KEY, name VARCHAR(5), city VARCHAR(5))");
    Use("INSERT INTO p VALUES (1,'A','X'),(2,'A','X'),(3,'B','Y')");
    Open("SELECT name, city FROM p ORDER BY name");
    q_.Edit();
    q_.FieldByName("city").SetAsString("Z");
    EXPECT_EQ(ErrorOf([&] { q_.Post(); }),
              "The row cannot be told apart from another row: more than one row of table \"p\" "
              "has the values shown, and the columns that tell them apart are not in the result; "
              "nothing was written");
    q_.Cancel();
    q_.Last();
    EditRow({{"city", "Z"}}); // the only row with these values
    q_.First();
    EXPECT_FALSE(ErrorOf([&] { q_.Delete(); }).empty());
    EXPECT_EQ(Rows("SELECT id, city FROM p ORDER BY id"),
              (::Rows{{"1", "X"}, {"2", "X"}, {"3", "Z"}}));

    // Without a key: rows equal in the hidden column too are one value, either will do.
    Use("CREATE TABLE k (a VARCHAR(5), b INT)");
    Use("INSERT INTO k VALUES ('x',1),('x',2),('y',1),('y',1)");
    Open("SELECT a FROM k ORDER BY a");
    EXPECT_TRUE(NotDistinct(ErrorOf([&] { EditRow({{"a", "v"}}); })));
    q_.Cancel();
    q_.Last();
    EditRow({{"a", "w"}});
    EXPECT_EQ(Rows("SELECT a, b FROM k ORDER BY a, b"),
              (::Rows{{"w", "1"}, {"x", "1"}, {"x", "2"}, {"y", "1"}}));
}

TEST_F(ExactRowsTest, FieldsAreWrittenThroughTheColumnTheirPlaceReads) {
    Use("CREATE TABLE ex (a INT PRIMARY KEY, title VARCHAR(10), name VARCHAR(10))");
    Use("INSERT INTO ex VALUES (1,'t1','n1'),(2,'n1','t1')");
    Open("SELECT a, UPPER(title) AS name, name AS title FROM ex ORDER BY a");
    EXPECT_TRUE(q_.FieldByName("name").ReadOnly);
    EXPECT_FALSE(q_.FieldByName("title").ReadOnly);
    EditRow({{"title", "new"}});
    EXPECT_EQ(Rows("SELECT title, name FROM ex ORDER BY a"), (::Rows{{"t1", "new"}, {"n1", "t1"}}));

    Use("CREATE TABLE ja (id INT PRIMARY KEY)");
    Use("CREATE TABLE jb (id INT PRIMARY KEY, v VARCHAR(5))");
    Use("INSERT INTO ja VALUES (1),(2)");
    Use("INSERT INTO jb VALUES (1,'a'),(2,'b')");
    Open("SELECT ja.id, ja.id + 1 AS id, jb.id, jb.v FROM ja JOIN jb ON jb.id = ja.id ORDER BY 1");
    EXPECT_TRUE(q_.Field(1).ReadOnly);
    q_.Edit();
    q_.Field(3).SetAsString("A");
    q_.Post();
    EXPECT_EQ(Rows("SELECT v FROM jb ORDER BY id"), (::Rows{{"A"}, {"b"}}));

    Use("CREATE TABLE sn (id INT PRIMARY KEY, v VARCHAR(5))");
    Use("INSERT INTO sn VALUES (1,'x')");
    Open("SELECT UPPER(v) AS v, t.* FROM sn t");
    EXPECT_TRUE(q_.Field(0).ReadOnly);
    q_.Edit();
    q_.Field(2).SetAsString("y");
    q_.Post();
    EXPECT_EQ(Value("SELECT v FROM sn"), "y");
    EXPECT_NE(ErrorOf([&] {
                  q_.Edit();
                  q_.Field(0).SetAsString("Z");
              }).find("cannot be modified"),
              std::string::npos);
    q_.Cancel();

    // A column shown twice is written through its first place; the second only shows it.
    Use("CREATE TABLE ct (id INT PRIMARY KEY, name VARCHAR(5))");
    Use("INSERT INTO ct VALUES (1,'n')");
    Open("SELECT id, name AS shown, name FROM ct");
    EXPECT_FALSE(q_.Field(1).ReadOnly);
    EXPECT_TRUE(q_.Field(2).ReadOnly);
    EditRow({{"shown", "m"}});
    EXPECT_EQ(Value("SELECT name FROM ct"), "m");
}

TEST_F(ExactRowsTest, ColumnNamesWithAFullStopAreWholeNames) {
    Use("CREATE TABLE d (`x.id` INT PRIMARY KEY, id INT, `a.b` VARCHAR(5))");
    Use("INSERT INTO d VALUES (1,2,'p'),(2,1,'q')");
    Open("SELECT * FROM d ORDER BY `x.id`");
    EditRow({{"a.b", "P"}});
    EXPECT_EQ(Rows("SELECT `a.b` FROM d ORDER BY `x.id`"), (::Rows{{"P"}, {"q"}}));
    ASSERT_EQ(transact_.sent.size(), 1u);
    EXPECT_EQ(transact_.sent.back(),
              "UPDATE d SET `a.b`='P' WHERE `x.id` = 1 AND (CAST(CONVERT(`a.b` USING utf8mb4) AS "
              "BINARY) = CAST('p' AS BINARY) OR CAST(CONVERT(`a.b` USING utf8mb4) AS BINARY) = "
              "CAST('P' AS BINARY))");

    Use("CREATE TABLE k (`a.b` VARCHAR(5), n INT)");
    Use("INSERT INTO k VALUES ('p',0),('q',0)");
    Open("SELECT * FROM k ORDER BY `a.b` DESC");
    EditRow({{"n", "1"}});
    EXPECT_EQ(Rows("SELECT `a.b`, n FROM k ORDER BY 1"), (::Rows{{"p", "0"}, {"q", "1"}}));
}

TEST_F(ExactRowsTest, ResultsThatShowNoTableRowsOpenReadOnly) {
    Use("CREATE TABLE inv (id INT PRIMARY KEY, country VARCHAR(10), total INT)");
    Use("INSERT INTO inv VALUES (1,'USA',1),(2,'USA',2),(3,'HR',3)");
    for (const char* sql : {
             "SELECT country, COUNT(*) FROM inv GROUP BY country",
             "SELECT MAX(total), country FROM inv",
             "SELECT DISTINCT country FROM inv",
             "SELECT country FROM inv GROUP BY country HAVING SUM(total) > 2",
             "SELECT id, country FROM inv UNION SELECT id, country FROM inv",
             "SELECT id, country, ROW_NUMBER() OVER (ORDER BY id) FROM inv",
             "SELECT id, COALESCE(MAX(total), 0) FROM inv",
         }) {
        q_.RequestLive = true;
        Open(sql);
        EXPECT_FALSE(q_.CanModify()) << sql;
    }
    // An aggregate inside a subquery still shows the table's own rows.
    q_.RequestLive = true;
    Open("SELECT id, country, (SELECT COUNT(*) FROM inv) AS n FROM inv ORDER BY id");
    EXPECT_TRUE(q_.CanModify());
    EXPECT_TRUE(q_.FieldByName("n").ReadOnly);
    EditRow({{"country", "DE"}});
    EXPECT_EQ(Value("SELECT country FROM inv WHERE id = 1"), "DE");
}

TEST_F(ExactRowsTest, ViewsAreEditedOnlyWhereTheServerCanUpdateThem) {
    Use("CREATE TABLE vt (id INT PRIMARY KEY, a INT, b VARCHAR(5))");
    Use("INSERT INTO vt VALUES (1,1,'x'),(2,1,'y')");
    Use("CREATE VIEW grouped AS SELECT a, COUNT(*) AS n FROM vt GROUP BY a");
    Use("CREATE VIEW plain AS SELECT id, a, a + 1 AS a1, CONCAT(b, '!') AS loud FROM vt");
    q_.RequestLive = true;
    Open("SELECT * FROM grouped");
    EXPECT_FALSE(q_.CanModify());
    q_.RequestLive = true;
    Open("SELECT * FROM plain ORDER BY id");
    EXPECT_TRUE(q_.CanModify());
    EXPECT_FALSE(q_.FieldByName("a").ReadOnly);
    EXPECT_TRUE(q_.FieldByName("a1").ReadOnly);
    EXPECT_TRUE(q_.FieldByName("loud").ReadOnly);
    EditRow({{"a", "5"}});
    EXPECT_EQ(Rows("SELECT a FROM vt ORDER BY id"), (::Rows{{"5"}, {"1"}}));
}

TEST_F(ExactRowsTest, AJoinedRowDeletesFromTheFirstTableAndAPostIsAllOrNothing) {
    Use("CREATE TABLE cust (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("CREATE TABLE ord (id INT PRIMARY KEY, cust INT, item VARCHAR(3))");
    Use("INSERT INTO cust VALUES (1,'Ann')");
    Use("INSERT INTO ord VALUES (10,1,'a'),(11,1,'b')");
    Open("SELECT ord.id, ord.item, cust.id, cust.name FROM ord JOIN cust ON cust.id = ord.cust "
         "ORDER BY ord.id");
    q_.Delete();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ord"), "1");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM cust"), "1"); // the other order's customer stays

    // Both tables written; then the customer's new name is refused, and the order's new item is
    // not kept either.
    q_.Edit();
    q_.Field(1).SetAsString("ok");
    q_.Field(3).SetAsString("Bob");
    q_.Post();
    EXPECT_EQ(Rows("SELECT item, name FROM ord JOIN cust ON cust.id = ord.cust"),
              (::Rows{{"ok", "Bob"}}));
    Use("ALTER TABLE cust ADD CHECK (name <> 'Bad')");
    q_.Edit();
    q_.Field(1).SetAsString("new");
    q_.Field(3).SetAsString("Bad");
    EXPECT_NE(ErrorOf([&] { q_.Post(); }).find("CONSTRAINT"), std::string::npos);
    q_.Cancel();
    EXPECT_EQ(Rows("SELECT item, name FROM ord JOIN cust ON cust.id = ord.cust"),
              (::Rows{{"ok", "Bob"}}));
    // Inside the session's own transaction the post takes a savepoint: what the transaction did
    // before stays the operator's to commit or roll back.
    db_.ExecSQL("START TRANSACTION");
    db_.ExecSQL("UPDATE ord SET item = 'tx'");
    q_.Edit();
    q_.Field(1).SetAsString("z");
    q_.Field(3).SetAsString("Bad");
    EXPECT_FALSE(ErrorOf([&] { q_.Post(); }).empty());
    q_.Cancel();
    db_.ExecSQL("ROLLBACK");
    EXPECT_EQ(Value("SELECT item FROM ord"), "ok");
}

TEST_F(ExactRowsTest, AnotherUsersChangeOfAnEditedColumnIsNotWrittenOver) {
    Use("CREATE TABLE p (id INT PRIMARY KEY, name VARCHAR(10), city VARCHAR(10))");
    Use("INSERT INTO p VALUES (1,'Ann','Split'),(2,'Bo','Rab')");
    Open("SELECT * FROM p ORDER BY id");
    Use("UPDATE p SET name = 'Other' WHERE id = 1");
    q_.Edit();
    q_.FieldByName("name").SetAsString("Mine");
    EXPECT_EQ(ErrorOf([&] { q_.Post(); }), kRowChanged);
    q_.Cancel();
    EXPECT_EQ(Value("SELECT name FROM p WHERE id = 1"), "Other");
    // A change of another column goes through and the other user's value stays.
    q_.Next();
    Use("UPDATE p SET city = 'Hvar' WHERE id = 2");
    EditRow({{"name", "Mine"}});
    EXPECT_EQ(Rows("SELECT name, city FROM p WHERE id = 2"), (::Rows{{"Mine", "Hvar"}}));
    // A delete checks the key only.
    Use("UPDATE p SET name = 'Later' WHERE id = 2");
    q_.Delete();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM p"), "1");
}

TEST_F(ExactRowsTest, EmptyTextAndNullAreDifferentValues) {
    Use("CREATE TABLE e (id INT PRIMARY KEY, s VARCHAR(5))");
    Use("CREATE TABLE k (s VARCHAR(5), n INT)");
    Use("INSERT INTO e VALUES (1,NULL),(2,'')");
    Use("INSERT INTO k VALUES (NULL,0),('',0)");
    Open("SELECT * FROM e ORDER BY id");
    EditRow({{"s", ""}});
    q_.Next();
    q_.Edit();
    q_.FieldByName("s").Clear();
    q_.Post();
    EXPECT_EQ(Rows("SELECT s IS NULL FROM e ORDER BY id"), (::Rows{{"0"}, {"1"}}));
    // A keyless row changed from NULL to '' is found again by its new value.
    Open("SELECT * FROM k ORDER BY s IS NULL DESC");
    EditRow({{"s", ""}});
    EditRow({{"n", "1"}});
    EXPECT_EQ(Rows("SELECT s IS NULL, n FROM k ORDER BY n"), (::Rows{{"0", "0"}, {"0", "1"}}));
}

TEST_F(ExactRowsTest, ANewRowLeavesAnEnumWithoutDefaultToTheServer) {
    Use("CREATE TABLE en (id INT PRIMARY KEY, size ENUM('small','large') NOT NULL, "
        "e ENUM('','x') NOT NULL)");
    Open("SELECT * FROM en");
    q_.Append();
    q_.FieldByName("id").SetAsString("1");
    q_.Post();
    EXPECT_EQ(Rows("SELECT size, e FROM en"), (::Rows{{"small", ""}}));
}

} // namespace
