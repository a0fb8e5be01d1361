#include "data/column_types.h"
#include "data/field_value.h"
#include "data/sql_scanner.h"
#include "data/statement_analysis.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::pair<int, std::string>> AllTokens(std::string text) {
    std::vector<std::pair<int, std::string>> out;
    std::string token;
    while (int kind = ExtractToken(text, token))
        out.emplace_back(kind, token);
    return out;
}

using Tokens = std::vector<std::pair<int, std::string>>;

TEST(ExtractToken, KindsDelimitersAndQuotes) {
    EXPECT_EQ(AllTokens("  SELECT t1.name,3.5 FROM\tx"),
              (Tokens{{3, "SELECT"}, {3, "t1.name"}, {1, ","}, {2, "3.5"}, {3, "FROM"}, {3, "x"}}));
    // Full stop, exclamation and question marks belong to words, and so does "$" (as in names);
    // the others delimit.
    EXPECT_EQ(AllTokens("a!b?c.d my$t $x"), (Tokens{{3, "a!b?c.d"}, {3, "my$t"}, {3, "$x"}}));
    const Tokens delimiters = AllTokens(": ; , + - < > / * % ^ = ( ) [ ] | & ~ @ \\ { }");
    EXPECT_EQ(delimiters.size(), 23u);
    for (const auto& [kind, text] : delimiters)
        EXPECT_EQ(kind, tkDelimiter) << text;
    // Quotes keep both ends and backslashes; an escaped quote does not end the token.
    EXPECT_EQ(AllTokens(R"(x='it\'s' "a"b)"),
              (Tokens{{3, "x"}, {1, "="}, {4, R"('it\'s')"}, {4, "\"a\""}, {3, "b"}}));
    EXPECT_EQ(AllTokens("'open"), (Tokens{{4, "'open"}}));
    // A word ends at a quote.
    EXPECT_EQ(AllTokens("ab'c'"), (Tokens{{3, "ab"}, {4, "'c'"}}));
}

TEST(ExtractToken, TextKeepsTheRestAndEmptyTextIsKindZero) {
    std::string text = "  show tables  ", token;
    EXPECT_EQ(ExtractToken(text, token), tkWord);
    EXPECT_EQ(token, "show");
    EXPECT_EQ(text, " tables  ");
    text = " \t\r\n ";
    EXPECT_EQ(ExtractToken(text, token), tkEnd);
    EXPECT_EQ(token, "");
    EXPECT_EQ(text, "");
}

TEST(ExtractToken, FollowsTheServersLexicalRules) {
    // An escaped backslash before the closing quote: the quote ends there.
    EXPECT_EQ(
        AllTokens(R"(SELECT 'C:\\' AS dir, name)"),
        (Tokens{{3, "SELECT"}, {4, R"('C:\\')"}, {3, "AS"}, {3, "dir"}, {1, ","}, {3, "name"}}));
    EXPECT_EQ(AllTokens("'it''s' \"a\"\"b\" x"),
              (Tokens{{4, "'it''s'"}, {4, "\"a\"\"b\""}, {3, "x"}}));
    // Comments are blanks; "--" needs a blank after it, else it is two minus signs.
    EXPECT_EQ(AllTokens("a /* b */ c -- d\ne # f\ng--h\n/* open"),
              (Tokens{{3, "a"}, {3, "c"}, {3, "e"}, {3, "g"}, {1, "-"}, {1, "-"}, {3, "h"}}));
    // The text of an executable comment is statement text.
    std::vector<std::string> texts;
    for (const SqlToken& t :
         TokenizeStatement("SELECT /*!50000 STRAIGHT_JOIN */ a.*/*c*/ /*M!100101 , b */"))
        texts.push_back(t.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"SELECT", "STRAIGHT_JOIN", "a.", "*", ",", "b"}));
    // A backtick after a word starts a name of its own; full stops join names.
    EXPECT_EQ(AllTokens("select*from`t`"),
              (Tokens{{3, "select"}, {1, "*"}, {3, "from"}, {3, "`t`"}}));
    EXPECT_EQ(AllTokens("db.`t`.c `a`b"), (Tokens{{3, "db.`t`.c"}, {3, "`a`"}, {3, "b"}}));
    // Numbers are numbers; a name may begin with digits.
    EXPECT_EQ(AllTokens("3.5 1e5 0x1F 2024_sales 1e"),
              (Tokens{{2, "3.5"}, {2, "1e5"}, {2, "0x1F"}, {3, "2024_sales"}, {2, "1e"}}));
}

TEST(ExtractToken, ReadsExecutableCommentsAsTokenizeStatementDoes) {
    for (const char* text : {"SELECT /*!50000 STRAIGHT_JOIN */ a.*/*c*/ /*M!100101 , b */",
                             "/*!t*/", "/*!t*/*/", "/*!a+5*/ 6", "/*!a --*/x", "/*!a /*!b */ c */",
                             "/*!'x*/'*/ y", "/*! a", "a */ b", "/*!*/-- x\ny"}) {
        Tokens scanned;
        for (const SqlToken& t : TokenizeStatement(text))
            scanned.emplace_back(t.kind, t.text);
        EXPECT_EQ(AllTokens(text), scanned) << text;
    }
    EXPECT_EQ(AllTokens("/*!t*/"), (Tokens{{3, "t"}}));
    // Token positions come from the scanner, comments passed over.
    const std::vector<SqlToken> tokens = TokenizeStatement("a /* b */ 'c' /*!d*/");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[1].at, 10u);
    EXPECT_FALSE(tokens[1].executable);
    EXPECT_EQ(tokens[2].at, 17u);
    EXPECT_TRUE(tokens[2].executable);
}

TEST(ExtractToken, BacktickNamesAreOneWord) {
    EXPECT_EQ(AllTokens("`my table`.`a``b` , x.`y z`"),
              (Tokens{{3, "`my table`.`a``b`"}, {1, ","}, {3, "x.`y z`"}}));
    EXPECT_EQ(SplitName("`my table`.`a``b`"), (std::vector<std::string>{"my table", "a`b"}));
    EXPECT_EQ(PlainName("`db`.t"), "db.t");
    EXPECT_EQ(SplitName("`a.b`.c"), (std::vector<std::string>{"a.b", "c"}));
}

TEST(QuotedTextEnd, EndsAfterTheClosingQuoteOrAtTheEndOfAnOpenText) {
    using namespace std::string_view_literals;
    bool closed = false;
    EXPECT_EQ(QuotedTextEnd("'it''s' x"sv, std::size_t{0}, true, &closed), 7u);
    EXPECT_TRUE(closed);
    EXPECT_EQ(QuotedTextEnd("x \"a\\\"b\" y"sv, std::size_t{2}, true), 8u);
    // Without backslash escapes (names between backticks) a backslash is a character.
    EXPECT_EQ(QuotedTextEnd("`a\\`b`"sv, std::size_t{0}, false, &closed), 4u);
    EXPECT_TRUE(closed);
    EXPECT_EQ(QuotedTextEnd("'abc"sv, std::size_t{0}, true, &closed), 4u);
    EXPECT_FALSE(closed);
    // A backslash as the last character does not reach past the end; nor does a lone quote.
    EXPECT_EQ(QuotedTextEnd("'ab\\"sv, std::size_t{0}, true, &closed), 4u);
    EXPECT_FALSE(closed);
    EXPECT_EQ(QuotedTextEnd("'"sv, std::size_t{0}, true, &closed), 1u);
    EXPECT_FALSE(closed);
    EXPECT_EQ(QuotedTextEnd("''"sv, std::size_t{0}, true, &closed), 2u);
    EXPECT_TRUE(closed);
}

TEST(ExtractToken, PutBackAndUnquote) {
    std::string text = "FROM t";
    PutBackToken(text, "x");
    EXPECT_EQ(text, "x FROM t");
    PutBackToken(text, "");
    EXPECT_EQ(text, "x FROM t");
    EXPECT_EQ(Unquote("'abc'"), "abc");
    EXPECT_EQ(Unquote("\"abc"), "abc");
    EXPECT_EQ(Unquote("'abc\""), "abc\"");
    EXPECT_EQ(Unquote("abc"), "abc");
}

FromClause Scan(const std::string& sql) {
    return ScanFromClause(TokenizeStatement(sql));
}

TEST(FromClause, TablesAndAliasesInEveryForm) {
    auto f = Scan("SELECT * FROM a x, b y WHERE x.id = y.id");
    EXPECT_EQ(f.tables, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(f.aliases, (std::vector<std::string>{"x", "y"}));
    f = Scan("select * from a JOIN b on a.id=b.id left outer join c AS z using (id) order by 1");
    EXPECT_EQ(f.tables, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(f.aliases, (std::vector<std::string>{"a", "b", "z"}));
    f = Scan("SELECT * FROM `db`.`my t` = q, t, t GROUP BY 1");
    EXPECT_EQ(f.tables, (std::vector<std::string>{"db.`my t`", "t"}));
    EXPECT_EQ(f.aliases, (std::vector<std::string>{"q", "t"}));
    // A FROM inside a subquery of the select list is not the statement's.
    f = Scan("SELECT (SELECT max(k) FROM u) AS m FROM (SELECT 1) d, t");
    EXPECT_EQ(f.tables, (std::vector<std::string>{"t"}));
    EXPECT_TRUE(Scan("SHOW TABLES").tables.empty());
}

TEST(FromClause, OddStatementsAndNames) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(Scan(R"(SELECT 'C:\\' AS dir, name FROM t)").tables, Names{"t"});
    for (const char* sql :
         {"SELECT * /* FROM x */ FROM t", "SELECT * FROM t -- x", "SELECT * FROM t # x",
          "SELECT * FROM t /* x */", "SELECT * FROM t -- x\n", "select*from`t`"}) {
        const FromClause f = Scan(sql);
        EXPECT_EQ(f.tables, Names{"t"}) << sql;
        EXPECT_EQ(f.aliases, Names{"t"}) << sql;
    }
    // "$" belongs to the name; "full" is not reserved and so a name; reserved words are not.
    EXPECT_EQ(Scan("SELECT * FROM my$table, $dollar, full f, `select`").tables,
              (Names{"my$table", "$dollar", "full", "`select`"}));
    EXPECT_EQ(Scan("SELECT * FROM a full").aliases, Names{"full"});
    // The quoting is kept: `x.y` is one table, `x`.`y` and x.y table y of database x.
    EXPECT_EQ(Scan("SELECT * FROM `x.y`, `x`.`y`, x.y, `a``b`").tables,
              (Names{"`x.y`", "x.y", "`a``b`"}));
    // A long list is read in one pass.
    std::string many = "SELECT * FROM t0";
    for (int i = 1; i < 100000; ++i)
        many += ", t" + std::to_string(i);
    EXPECT_EQ(Scan(many).tables.size(), 100000u);
}

TEST(ColumnTypes, TheTypeTable) {
    struct Case {
        const char* text;
        FieldType type;
        std::int64_t size;
        bool isUnsigned;
    } cases[] = {
        {"int(11)", FieldType::Integer, 0, false},
        {"bigint(20) unsigned", FieldType::Integer, 0, true},
        {"tinyint(1)", FieldType::Integer, 0, false},
        {"year(4)", FieldType::Integer, 0, false},
        {"double", FieldType::Float, 0, false},
        {"float(7,2)", FieldType::Float, 0, false},
        {"real", FieldType::Float, 0, false},
        {"decimal(12,2)", FieldType::Decimal, 0, false},
        {"numeric(30,10)", FieldType::Decimal, 0, false},
        {"char(10)", FieldType::String, 10, false},
        {"char(x)", FieldType::String, 50, false},
        {"varchar(30)", FieldType::String, 30, false},
        {"varchar", FieldType::String, 50, false},
        {"date", FieldType::Date, 0, false},
        {"datetime", FieldType::DateTime, 0, false},
        {"datetime(6)", FieldType::DateTime, 0, false},
        {"timestamp", FieldType::String, 50, false},
        {"timestamp(6)", FieldType::String, 26, false},
        {"timestamp(14)", FieldType::String, 14, false},
        {"time", FieldType::Time, 0, false},
        {"time(3)", FieldType::Time, 0, false},
        {"mediumblob", FieldType::Blob, 0, false},
        {"longtext", FieldType::Memo, 0, false},
        {"enum('N','Y')", FieldType::Boolean, 0, false},
        {"enum('y','n')", FieldType::Boolean, 0, false},
        {"enum('a','bb','ccc')", FieldType::String, 3, false},
        {"enum('print','text')", FieldType::String, 5, false},
        {"enum('it''s','x')", FieldType::String, 4, false},
        {"set('a','bb')", FieldType::String, 4, false},
        {"bit(12)", FieldType::Blob, 2, false},
        {"varbinary(255)", FieldType::Blob, 255, false},
        {"binary(16)", FieldType::Blob, 16, false},
        {"point", FieldType::Blob, 0, false},
        {"uuid", FieldType::String, 36, false},
        {"inet6", FieldType::String, 39, false},
    };
    for (const Case& c : cases) {
        const ColumnType t = ColumnTypeFromText(c.text);
        EXPECT_EQ(t.type, c.type) << c.text;
        EXPECT_EQ(t.size, c.size) << c.text;
        EXPECT_EQ(t.isUnsigned, c.isUnsigned) << c.text;
    }
}

TEST(FieldValues, DisplayRulesAndExactComparison) {
    EXPECT_EQ(DateTimeDisplayText("2001-05-17 00:00:00"), "2001-05-17");
    EXPECT_EQ(DateTimeDisplayText("2001-05-17 13:45:00"), "2001-05-17 13:45:00");
    EXPECT_EQ(DateTimeDisplayText("00:00:00"), "");
    EXPECT_EQ(DateTimeDisplayText("0000-00-00"), "");
    EXPECT_EQ(DateTimeDisplayText("0000-00-00 00:00:00"), "");
    EXPECT_EQ(DateTimeDisplayText("-838:59:59"), "-838:59:59");
    EXPECT_EQ(DateTimeDisplayText("2001-05-17 00:00:00.000001"), "2001-05-17 00:00:00.000001");

    EXPECT_EQ(CompareDecimalTexts("12.50", "12.5"), 0);
    EXPECT_LT(CompareDecimalTexts("-3", "2"), 0);
    EXPECT_LT(CompareDecimalTexts("99999999999999999999.1", "99999999999999999999.2"), 0);
    EXPECT_GT(CompareDecimalTexts("-1.5", "-2"), 0);
    EXPECT_EQ(CompareDecimalTexts("-0.00", "0"), 0);

    const FieldValue big = ValueFromText(FieldType::Integer, true, "18446744073709551615");
    EXPECT_EQ(ExactText(FieldType::Integer, true, big.View()), "18446744073709551615");
    EXPECT_EQ(CompareValueWithText(FieldType::Integer, true, big.View(), "18446744073709551614"),
              1);
    EXPECT_EQ(
        ExactText(FieldType::Integer, false, ValueFromText(FieldType::Integer, false, "x").View()),
        "0");
    EXPECT_EQ(
        ExactText(FieldType::Float, false, ValueFromText(FieldType::Float, false, "0.1").View()),
        "0.1");
}

} // namespace
