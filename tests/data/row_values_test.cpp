// What a field hands to statements is what the server sent, numbers included, whichever way the
// rows were read; and the rows of a result are held once.
#include "data_fixture.h"

namespace {

class RowValuesTest : public DataFixture {
protected:
    RowValuesTest() : DataFixture() {}
};

TEST_F(RowValuesTest, NumbersKeepTheServersText) {
    Use("CREATE TABLE num (k INT PRIMARY KEY, f FLOAT, d DOUBLE, d4 DOUBLE(12,4), "
        "z INT(8) UNSIGNED ZEROFILL, y YEAR, b BIGINT)");
    Use("INSERT INTO num VALUES (1, 0.0001, 0.0001, 1.5, 42, 0, -9223372036854775808), "
        "(2, 1e-30, 1.2345678901234568e20, 0.0001, 0, 2024, 0), "
        "(3, 3.4e38, -0.5, 123456.7891, 4294967295, 1999, NULL), "
        "(4, 1234567, 5e-324, -1, 7, 2155, 9223372036854775807)");
    const auto expected = root_.Rows(std::string("SELECT * FROM ") + Db() + ".num ORDER BY k");
    ASSERT_EQ(expected.size(), 4u);
    ASSERT_EQ(expected[0][4], "00000042");
    for (const bool all : {false, true}) {
        for (const bool store : {true, false}) {
            SCOPED_TRACE(std::string(all ? "all at open, " : "as needed, ") +
                         (store ? "stored" : "row by row"));
            q_.QueryAllRecords = all;
            q_.StoreResult = store;
            Open("SELECT * FROM num ORDER BY k");
            ASSERT_EQ(q_.Field(1).DataType(), FieldType::Float);
            ASSERT_EQ(q_.Field(4).DataType(), FieldType::Integer);
            for (const auto& row : expected) {
                for (std::size_t c = 0; c < row.size(); ++c) {
                    EXPECT_EQ(q_.Field(c).ValueText(), row[c]) << q_.Field(c).FieldName();
                    EXPECT_EQ(q_.Field(c).AsString(), row[c]) << q_.Field(c).FieldName();
                }
                q_.Next();
            }
            EXPECT_TRUE(q_.Eof());
        }
    }
    // The numbers themselves are still numbers.
    q_.First();
    EXPECT_EQ(q_.FieldByName("z").AsInteger(), 42);
    EXPECT_DOUBLE_EQ(q_.FieldByName("d4").AsFloat(), 1.5);
    EXPECT_EQ(q_.FieldByName("d4").CompareWithText("1.50"), 0);
}

TEST_F(RowValuesTest, TypedNumbersAreWrittenAsTheyReadBack) {
    const FieldValue typed = ValueFromText(FieldType::Float, false, " 0.0001 ");
    EXPECT_EQ(ExactText(FieldType::Float, false, typed.View()), "0.0001");
    FieldValue changed = typed;
    changed.d = 2.5; // a value changed after it was read no longer answers its old text
    EXPECT_EQ(ExactText(FieldType::Float, false, changed.View()), "2.5");
    EXPECT_EQ(ExactText(FieldType::Integer, false,
                        ValueFromText(FieldType::Integer, false, "0042").View()),
              "0042");
    EXPECT_EQ(
        ExactText(FieldType::Integer, false, ValueFromText(FieldType::Integer, false, "4x").View()),
        "0");
}

TEST_F(RowValuesTest, ARowIsHeldOnceWhenTheViewsAskForIt) {
    Use("CREATE TABLE wide (id INT PRIMARY KEY, s VARCHAR(60), n INT, e ENUM('N','Y'))");
    Use("INSERT INTO wide SELECT seq, IF(seq % 7 = 0, NULL, CONCAT('a text of row ', seq)), "
        "seq * 3, IF(seq % 2, 'Y', 'N') FROM seq_1_to_20000");
    q_.QueryAllRecords = false;
    q_.StoreResult = true;
    Open("SELECT * FROM wide ORDER BY id");
    // The whole result is on the client and the connection free, but no row is in the cache.
    EXPECT_EQ(q_.CachedRowCount(), 0u);
    EXPECT_EQ(q_.RecordCount(), 20000);
    EXPECT_EQ(db_.SelectValue("COUNT(*) FROM wide"), "20000");
    // Taking every row into the cache makes no second copy of them.
    const std::size_t held = q_.CacheMemoryBytes();
    q_.Last();
    EXPECT_EQ(q_.CachedRowCount(), 20000u);
    EXPECT_EQ(q_.CacheMemoryBytes(), held);

    for (const std::int64_t recNo : {1, 7, 9999, 20000, 2}) {
        q_.SetRecNo(recNo);
        EXPECT_EQ(q_.FieldByName("id").AsInteger(), recNo);
        EXPECT_EQ(q_.FieldByName("s").IsNull(), recNo % 7 == 0);
        if (recNo % 7) {
            EXPECT_EQ(q_.FieldByName("s").AsString(), "a text of row " + std::to_string(recNo));
        }
        EXPECT_EQ(q_.FieldByName("n").AsInteger(), recNo * 3);
        EXPECT_EQ(q_.FieldByName("e").AsBoolean(), recNo % 2 == 1);
    }
    const Bookmark mark = q_.GetBookmark();
    q_.Last();
    q_.GotoBookmark(mark);
    EXPECT_EQ(q_.FieldByName("id").AsInteger(), 2);

    // Reading rows already cached between reads of new ones leaves the reading in order, in
    // every mode.
    for (const bool store : {true, false}) {
        q_.StoreResult = store;
        Open("SELECT id FROM wide ORDER BY id");
        for (std::int64_t recNo = 1; recNo <= 300; ++recNo) {
            EXPECT_EQ(q_.RowValue(recNo, 0).i, recNo);
            EXPECT_EQ(q_.RowValue(1, 0).i, 1);
        }
        EXPECT_EQ(q_.CachedRowCount(), 300u);
    }
}

} // namespace
