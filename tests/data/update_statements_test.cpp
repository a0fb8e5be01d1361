// The shapes of the statements that write a changed row: how a row is found, what is written and
// what is never sent. The descriptions come from the real server; the statements are not run.
#include "live_fixture.h"

#include "data/sql_values.h"
#include "data/update_statements.h"

namespace {

class StatementsTest : public LiveTest {
protected:
    std::vector<std::string> Generate(const TFieldValues& o, const TFieldValues& n,
                                      std::uint8_t state) {
        std::vector<std::string> out;
        for (const auto& s : GenerateStatements(q_.Analysis(), o, n, state, [](std::string_view v) {
                 return QuoteSqlValue(v, true);
             }))
            out.push_back(s.sql);
        return out;
    }
};

TEST_F(StatementsTest, KeylessRowsAreFoundByAllColumnsAndOneAtATime) {
    Use("CREATE TABLE k (a INT, b VARCHAR(10), f FLOAT, `order` INT)");
    Open("SELECT * FROM k");
    TFieldValues o, n;
    o.Add("k.a", "a", false, "1");
    o.Add("k.b", "b", true, "");
    o.Add("k.f", "f", false, "0.1");
    o.Add("k.order", "order", false, "7");
    n.Add("k.a", "a", false, "1");
    n.Add("k.b", "b", false, "it's");
    n.Add("k.f", "f", false, "0.1");
    n.Add("k.order", "order", false, "8");
    // NULL as IS NULL, the FLOAT by the range its shown text stands for, a reserved column name
    // quoted.
    const std::string where = " WHERE a = 1 AND b IS NULL AND f BETWEEN 9.999950000e-02 AND "
                              "1.000005000e-01 AND `order` = 7 LIMIT 1";
    EXPECT_EQ(Generate(o, n, 4),
              (std::vector<std::string>{"UPDATE k SET b='it\\'s', `order`=8" + where}));
    EXPECT_EQ(Generate(o, n, 3), (std::vector<std::string>{"DELETE FROM k" + where}));
    EXPECT_EQ(Generate(o, n, 1),
              (std::vector<std::string>{"INSERT INTO k (a, b, f, `order`) VALUES (1, 'it\\'s', "
                                        "'0.1', 8)"}));
    // Nothing changed: nothing to send. NULL became an empty text: that is a change.
    EXPECT_TRUE(Generate(o, o, 4).empty());
    TFieldValues empty;
    empty.Add("k.a", "a", false, "1");
    empty.Add("k.b", "b", false, "");
    empty.Add("k.f", "f", false, "0.1");
    empty.Add("k.order", "order", false, "7");
    EXPECT_EQ(Generate(o, empty, 4), (std::vector<std::string>{"UPDATE k SET b=''" + where}));
}

TEST_F(StatementsTest, KeysWhenEveryKeyColumnIsThereAndNoStatementForATableWithoutColumns) {
    Use("CREATE TABLE p (id BIGINT UNSIGNED, sub INT, name TEXT, PRIMARY KEY (id, sub))");
    Use("CREATE TABLE other (x INT)");
    Open("SELECT p.id, p.sub, p.name FROM p, other");
    TFieldValues o, n;
    o.Add("p.id", "id", false, "18446744073709551615");
    o.Add("p.sub", "sub", false, "-2");
    o.Add("p.name", "name", false, "a\r\nb");
    n.Add("p.id", "id", false, "18446744073709551615");
    n.Add("p.sub", "sub", false, "-2");
    n.Add("p.name", "name", false, "c\r\nd\ne\rf");
    // Exact numbers unquoted; texts as they are (a post has already written CR LF as a line
    // feed where it should), the changed one also compared with its value as read (or the one
    // written), byte for byte; `other` has no column in the row and gets no statement.
    EXPECT_EQ(Generate(o, n, 4),
              (std::vector<std::string>{
                  "UPDATE p SET name='c\\r\\nd\\ne\\rf' WHERE id = 18446744073709551615 AND sub = "
                  "-2 AND (CAST(CONVERT(name USING utf8mb4) AS BINARY) = CAST('a\\r\\nb' AS "
                  "BINARY) OR CAST(CONVERT(name USING utf8mb4) AS BINARY) = "
                  "CAST('c\\r\\nd\\ne\\rf' AS BINARY))"}));

    // A key column left out of the select list: all columns, one row.
    q_.Close();
    Open("SELECT id, name FROM p");
    TFieldValues o2, n2;
    o2.Add("p.id", "id", false, "5");
    o2.Add("p.name", "name", false, "a\r\nb");
    n2.Add("p.id", "id", false, "5");
    n2.Add("p.name", "name", true, "");
    // The stored CR LF is matched as it is.
    EXPECT_EQ(Generate(o2, n2, 4),
              (std::vector<std::string>{"UPDATE p SET name=NULL WHERE id = 5 AND CAST(CONVERT(name "
                                        "USING utf8mb4) AS BINARY) = CAST('a\\r\\nb' AS BINARY) "
                                        "LIMIT 1"}));
}

TEST_F(StatementsTest, ATextKeyIsComparedAsItsIndexComparesAndOtherTextsByteForByte) {
    Use("CREATE TABLE c (code CHAR(6) PRIMARY KEY, title VARCHAR(9))");
    Open("SELECT * FROM c");
    TFieldValues o, n;
    o.Add("c.code", "code", false, "ab");
    o.Add("c.title", "title", false, "T");
    n.Add("c.code", "code", false, "ab");
    n.Add("c.title", "title", false, "t");
    // The key's index finds the one row; the changed title must still be what was read.
    EXPECT_EQ(Generate(o, n, 4),
              (std::vector<std::string>{
                  "UPDATE c SET title='t' WHERE code = 'ab' AND (CAST(CONVERT(title USING "
                  "utf8mb4) AS BINARY) = CAST('T' AS BINARY) OR CAST(CONVERT(title USING utf8mb4) "
                  "AS BINARY) = CAST('t' AS BINARY))"}));
    EXPECT_EQ(Generate(o, n, 3), (std::vector<std::string>{"DELETE FROM c WHERE code = 'ab'"}));
}

TEST_F(StatementsTest, NewRowsLeaveTheServersOwnValuesToTheServer) {
    Use("CREATE TABLE d (id INT AUTO_INCREMENT PRIMARY KEY, made DATETIME DEFAULT "
        "current_timestamp(), u CHAR(36) DEFAULT uuid(), three INT DEFAULT (1+2), q VARCHAR(5) "
        "DEFAULT 'q''s', twice INT AS (three * 2) VIRTUAL)");
    Open("SELECT * FROM d");
    q_.Insert();
    // The literal default unquoted; the server's own values left NULL.
    EXPECT_TRUE(q_.FieldByName("id").IsNull());
    EXPECT_TRUE(q_.FieldByName("made").IsNull());
    EXPECT_TRUE(q_.FieldByName("u").IsNull());
    EXPECT_TRUE(q_.FieldByName("three").IsNull());
    EXPECT_EQ(Text("q"), "q's");
    EXPECT_TRUE(q_.FieldByName("twice").IsNull());
    q_.Cancel();

    TFieldValues n;
    n.Add("d.id", "id", true, "");
    n.Add("d.made", "made", true, "");
    n.Add("d.u", "u", true, "");
    n.Add("d.three", "three", true, "");
    n.Add("d.q", "q", false, "q's");
    n.Add("d.twice", "twice", false, "6");
    EXPECT_EQ(Generate(n, n, 2),
              (std::vector<std::string>{"INSERT INTO d (id, q) VALUES (NULL, 'q\\'s')"}));
}

} // namespace
