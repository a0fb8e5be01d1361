#include "tables/create_table_statement.h"

#include <gtest/gtest.h>

namespace {

DesignRow Row(std::string name, std::string type, std::string size = {},
              std::string isUnsigned = {}, std::string index = {}, std::string required = {},
              std::string defaultValue = {}) {
    return {std::move(name),  std::move(type),     std::move(size),        std::move(isUnsigned),
            std::move(index), std::move(required), std::move(defaultValue)};
}

const std::string LB = "\n\r";

} // namespace

TEST(CreateTableStatement, TwoColumnTableWithOneKeyIsWrittenByteForByte) {
    const std::vector<DesignRow> rows = {Row("id", "INTEGER", "", "TRUE", "TRUE", "TRUE"),
                                         Row("name", "VARCHAR", "40", "", "", "TRUE", "'x'")};
    EXPECT_EQ(CreateTableStatement("t1", rows, {}),
              "CREATE TABLE t1(" + LB + "id INTEGER UNSIGNED NOT NULL PRIMARY KEY," + LB +
                  "name VARCHAR(40) NOT NULL DEFAULT 'x'" + LB + ")");
}

TEST(CreateTableStatement, CompositeKeyClauseReplacesEveryInlineKey) {
    const std::vector<DesignRow> rows = {Row("a", "INTEGER", "", "", "TRUE", "TRUE"),
                                         Row("b", "INTEGER", "", "", "TRUE", "TRUE"),
                                         Row("c", "INTEGER", "", "", "TRUE", "")};
    const std::vector<std::string> key = KeyColumns(rows);
    ASSERT_EQ(key, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(CreateTableStatement("t", rows, {PrimaryKeyClause(key)}),
              "CREATE TABLE t(" + LB + "a INTEGER NOT NULL," + LB + "b INTEGER NOT NULL," + LB +
                  "c INTEGER," + LB + "PRIMARY KEY (a,b)" + LB + ")");
}

TEST(CreateTableStatement, IndexedRowWithoutRequiredKeepsItsInlineKeyWhenNoKeyClauseExists) {
    const std::vector<DesignRow> rows = {Row("a", "INTEGER", "", "", "TRUE", "")};
    EXPECT_TRUE(KeyColumns(rows).empty());
    EXPECT_EQ(CreateTableStatement("t", rows, {IndexClause("ia", {"a"})}),
              "CREATE TABLE t(" + LB + "a INTEGER PRIMARY KEY," + LB + "INDEX ia (a)" + LB + ")");
}

TEST(CreateTableStatement, ClausesFollowInOrderOneALine) {
    const std::vector<DesignRow> rows = {Row("a", "INTEGER", "", "", "TRUE", "TRUE"),
                                         Row("b", "INTEGER", "", "", "TRUE", "TRUE")};
    const std::vector<std::string> clauses = {
        IndexClause("ib", {"b"}), PrimaryKeyClause({"a", "b"}), IndexClause("", {"b", "a"})};
    EXPECT_EQ(CreateTableStatement("t", rows, clauses),
              "CREATE TABLE t(" + LB + "a INTEGER NOT NULL," + LB + "b INTEGER NOT NULL," + LB +
                  "INDEX ib (b)," + LB + "PRIMARY KEY (a,b)," + LB + "INDEX  (b,a)" + LB + ")");
}

TEST(CreateTableStatement, IndexWithoutNameHasTwoBlanksBeforeItsColumns) {
    EXPECT_EQ(IndexClause("", {"a", "b"}), "INDEX  (a,b)");
    EXPECT_EQ(IndexClause("ix", {"a"}), "INDEX ix (a)");
}

TEST(CreateTableStatement, TypeSizeAndDefaultGoInAsTyped) {
    EXPECT_EQ(ColumnDefinition(Row("p", "DECIMAL", "10,2"), true), "p DECIMAL(10,2)");
    // No size, no parentheses: the server judges a CHAR or VARCHAR without one.
    EXPECT_EQ(ColumnDefinition(Row("c", "CHAR"), true), "c CHAR");
    EXPECT_EQ(ColumnDefinition(Row("v", "VARCHAR"), true), "v VARCHAR");
    // Defaults are neither quoted nor escaped: the operator types the quotes.
    EXPECT_EQ(ColumnDefinition(Row("d", "CHAR", "3", "", "", "", "abc"), true),
              "d CHAR(3) DEFAULT abc");
    EXPECT_EQ(ColumnDefinition(Row("e", "int", "", "", "", "", "'it''s'"), true),
              "e int DEFAULT 'it''s'");
    // Only the exact text TRUE makes NOT NULL; any text in Unsig. or Index counts.
    EXPECT_EQ(ColumnDefinition(Row("f", "INTEGER", "", "x", "", "true"), true),
              "f INTEGER UNSIGNED");
    EXPECT_EQ(ColumnDefinition(Row("g", "INTEGER", "", "", "y", ""), false), "g INTEGER");
}

TEST(CreateTableStatement, RowsWithoutNameAndTypeAreLeftOut) {
    EXPECT_EQ(CreateTableStatement("t", {Row("a", "INTEGER"), DesignRow{}}, {}),
              "CREATE TABLE t(" + LB + "a INTEGER" + LB + ")");
    EXPECT_EQ(CreateTableStatement("t", {DesignRow{}, Row("a", "INTEGER"), DesignRow{}},
                                   {"PRIMARY KEY (a)"}),
              "CREATE TABLE t(" + LB + "a INTEGER," + LB + "PRIMARY KEY (a)" + LB + ")");
    // A row with a flag or a default but neither name nor type defines no column either.
    EXPECT_EQ(CreateTableStatement("t", {Row("a", "INTEGER"), Row("", "", "", "", "", "TRUE")}, {}),
              "CREATE TABLE t(" + LB + "a INTEGER" + LB + ")");
    // A row with only one of the two is written, for the server to judge.
    EXPECT_EQ(CreateTableStatement("t", {Row("a", ""), Row("", "INTEGER")}, {}),
              "CREATE TABLE t(" + LB + "a ," + LB + " INTEGER" + LB + ")");
}

TEST(CreateTableStatement, ThreeHundredRowsAndClausesAreAllWritten) {
    std::vector<DesignRow> rows;
    std::vector<std::string> clauses;
    for (int i = 1; i <= 300; ++i) {
        rows.push_back(Row("c" + std::to_string(i), "INTEGER", "", "", "", "TRUE"));
        clauses.push_back(IndexClause("i" + std::to_string(i), {"c" + std::to_string(i)}));
    }
    const std::string sql = CreateTableStatement("t", rows, clauses);
    EXPECT_NE(sql.find(LB + "c300 INTEGER NOT NULL," + LB + "INDEX i1 (c1),"), std::string::npos);
    EXPECT_TRUE(sql.ends_with(",\n\rINDEX i300 (c300)\n\r)"));
    std::size_t lines = 0;
    for (std::size_t at = sql.find(LB); at != std::string::npos; at = sql.find(LB, at + 1))
        ++lines;
    EXPECT_EQ(lines, 601u);
}

TEST(CreateTableStatement, NamesThatAreNotPlainIdentifiersAreQuoted) {
    const std::vector<DesignRow> rows = {Row("order", "INTEGER", "", "", "TRUE", "TRUE"),
                                         Row("first name", "CHAR", "5", "", "TRUE", "TRUE"),
                                         Row("`kept`", "CHAR", "1")};
    const std::string key = PrimaryKeyClause(KeyColumns(rows));
    EXPECT_EQ(key, "PRIMARY KEY (`order`,`first name`)");
    EXPECT_EQ(CreateTableStatement("my-table", rows, {key, IndexClause("by name", {"first name"})}),
              "CREATE TABLE `my-table`(" + LB + "`order` INTEGER NOT NULL," + LB +
                  "`first name` CHAR(5) NOT NULL," + LB + "`kept` CHAR(1)," + LB + key + "," + LB +
                  "INDEX `by name` (`first name`)" + LB + ")");
    // A backtick inside a name is doubled, so the name cannot end early.
    EXPECT_EQ(DesignName("a`b; DROP TABLE x"), "`a``b; DROP TABLE x`");
    EXPECT_EQ(DesignName("t1"), "t1");
    EXPECT_EQ(DesignName(""), "");
}

TEST(TableDesign, FlagCellsHoldTrueOrNothing) {
    for (const char* yes : {"TRUE", "true", "T", "t", "True"})
        EXPECT_EQ(NormaliseFlag(yes), "TRUE") << yes;
    for (const char* no : {"", "F", "f", "FALSE", "false", "TR", "yes", "1", " t"})
        EXPECT_EQ(NormaliseFlag(no), "") << no;
    EXPECT_TRUE(IsFlagColumn(kUnsignedColumn) && IsFlagColumn(kIndexColumn) &&
                IsFlagColumn(kRequiredColumn));
    EXPECT_FALSE(IsFlagColumn(kSizeColumn) || IsFlagColumn(kDefaultColumn));
}
