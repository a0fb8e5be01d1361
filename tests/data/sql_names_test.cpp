#include "data/sql_names.h"

#include <gtest/gtest.h>

TEST(SqlNames, PlainNamesStandAsTheyAreOthersAreQuoted) {
    EXPECT_EQ(QuoteNameIfNeeded("orders_2024"), "orders_2024");
    EXPECT_EQ(QuoteNameIfNeeded("my table"), "`my table`");
    EXPECT_EQ(QuoteNameIfNeeded("a-b"), "`a-b`");
    EXPECT_EQ(QuoteNameIfNeeded("x`; DROP DATABASE y; --"), "`x``; DROP DATABASE y; --`");
    EXPECT_EQ(QuoteNameIfNeeded("123"), "`123`");
    EXPECT_EQ(QuoteNameIfNeeded("1e5"), "`1e5`"); // would read as a number
    EXPECT_EQ(QuoteNameIfNeeded("order"), "`order`");
    EXPECT_EQ(QuoteNameIfNeeded("Select"), "`Select`");
    EXPECT_EQ(QuoteNameIfNeeded("ZEROFILL"), "`ZEROFILL`"); // the ends of the word table
    EXPECT_EQ(QuoteNameIfNeeded("accessible"), "`accessible`");
    EXPECT_EQ(QuoteNameIfNeeded("orders"), "orders");
    EXPECT_EQ(QuoteNameIfNeeded("t1"), "t1");
    EXPECT_EQ(QuoteNameIfNeeded(""), "``");
    EXPECT_EQ(QuoteValue("it's a \\ test"), "'it\\'s a \\\\ test'");
}

TEST(SqlNames, EnclosedTextsDoubleTheirOwnQuoteOnly) {
    EXPECT_EQ(EncloseDoublingQuotes("it's \"x\"", '\''), "'it''s \"x\"'");
    EXPECT_EQ(EncloseDoublingQuotes("a`b'c", '`'), "`a``b'c`");
    EXPECT_EQ(EncloseDoublingQuotes("", '"'), "\"\"");
    EXPECT_EQ(EncloseDoublingQuotes("''", '\''), "''''''");
}
