#include "data/db_error.h"
#include "data/link_statement.h"
#include "data/value_match.h"

#include <gtest/gtest.h>

namespace {

std::string Pairs(const std::string& text) {
    try {
        std::string out;
        for (const LinkPair& p : ParseLinkFields(text))
            out += "<" + p.detail + "|" + p.master + ">";
        return out;
    } catch (const EDatabaseError& e) {
        return e.what();
    }
}

TEST(LinkFields, PairsOfNames) {
    EXPECT_EQ(Pairs(""), "");
    EXPECT_EQ(Pairs("order_id=id"), "<order_id|id>");
    EXPECT_EQ(Pairs(" a = b , [first name]=\"x y\", 'q'=r "), "<a|b><first name|x y><q|r>");
    std::string eleven, twelve;
    for (int i = 0; i < 11; ++i)
        eleven += (i ? "," : "") + std::string("d") + std::to_string(i) + "=m";
    twelve = eleven + ",d11=m";
    EXPECT_EQ(ParseLinkFields(eleven).size(), 11u);
    for (const std::string& bad : {std::string("a"), std::string("a="), std::string("=b"),
                                   std::string("a=b,"), std::string("a=b c=d"), std::string("a==b"),
                                   std::string("[a=b"), std::string("[]=b"), twelve})
        EXPECT_EQ(Pairs(bad), "Incorrect links define") << bad;
}

std::string Added(const std::string& statement) {
    std::string result, why;
    if (!AddTopLevelCondition(statement, "c = '1'", result, why))
        return "off: " + why;
    return result;
}

TEST(LinkStatement, ConditionAtTheTopLevelWherePosition) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM t", "SELECT * FROM t WHERE c = '1'"},
        {"select * from t where a = 1 or b = 2",
         "select * from t where (a = 1 or b = 2) AND c = '1'"},
        {"SELECT a, COUNT(*) FROM t WHERE x > 0 GROUP BY a HAVING COUNT(*) > 1 ORDER BY a LIMIT 10",
         "SELECT a, COUNT(*) FROM t WHERE (x > 0) AND c = '1' GROUP BY a HAVING COUNT(*) > 1 "
         "ORDER BY a LIMIT 10"},
        {"SELECT a FROM t GROUP BY a HAVING COUNT(*) > 1",
         "SELECT a FROM t WHERE c = '1' GROUP BY a HAVING COUNT(*) > 1"},
        {"SELECT * FROM t ORDER BY a LIMIT 5", "SELECT * FROM t WHERE c = '1' ORDER BY a LIMIT 5"},
        {"SELECT * FROM t\nLIMIT 5", "SELECT * FROM t WHERE c = '1' LIMIT 5"},
        {"SELECT * FROM t WHERE a IN (SELECT b FROM u WHERE c = 2 ORDER BY b LIMIT 1)",
         "SELECT * FROM t WHERE (a IN (SELECT b FROM u WHERE c = 2 ORDER BY b LIMIT 1)) AND c = "
         "'1'"},
        {"SELECT * FROM (SELECT * FROM u WHERE x = 1 GROUP BY x) d ORDER BY 1",
         "SELECT * FROM (SELECT * FROM u WHERE x = 1 GROUP BY x) d WHERE c = '1' ORDER BY 1"},
        {"SELECT * FROM t WHERE name = 'a ORDER BY b' LIMIT 2",
         "SELECT * FROM t WHERE (name = 'a ORDER BY b') AND c = '1' LIMIT 2"},
        {"SELECT * FROM t FOR UPDATE", "SELECT * FROM t WHERE c = '1' FOR UPDATE"},
        {"SELECT * FROM `order` WHERE `limit` = 1",
         "SELECT * FROM `order` WHERE (`limit` = 1) AND c = '1'"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(Added(statement), expected) << statement;
}

TEST(LinkStatement, TheConditionNeverLandsInAComment) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT id, mid, item FROM d -- the order lines",
         "SELECT id, mid, item FROM d WHERE c = '1' -- the order lines"},
        {"SELECT * FROM d # the order lines", "SELECT * FROM d WHERE c = '1' # the order lines"},
        {"SELECT * FROM d /* WHERE x = 1 */", "SELECT * FROM d WHERE c = '1' /* WHERE x = 1 */"},
        {"SELECT * FROM d /* WHERE */ ORDER BY id",
         "SELECT * FROM d WHERE c = '1' /* WHERE */ ORDER BY id"},
        {"SELECT * FROM d -- lines\nORDER BY id",
         "SELECT * FROM d WHERE c = '1' -- lines\nORDER BY id"},
        {"SELECT * FROM d WHERE a = 1 -- only a\nORDER BY id",
         "SELECT * FROM d WHERE (a = 1) AND c = '1' -- only a\nORDER BY id"},
        {"SELECT * FROM d WHERE /* first */ a = 1 # the rest\n",
         "SELECT * FROM d WHERE /* first */ (a = 1) AND c = '1' # the rest\n"},
        {"SELECT * FROM d WHERE a = '--' -- x",
         "SELECT * FROM d WHERE (a = '--') AND c = '1' -- x"},
        {"SELECT * FROM d WHERE", "SELECT * FROM d WHERE c = '1'"},
        // The text of an executable comment is statement text.
        {"SELECT /*!STRAIGHT_JOIN*/ * FROM d", "SELECT /*!STRAIGHT_JOIN*/ * FROM d WHERE c = '1'"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(Added(statement), expected) << statement;
    // A server skips an executable comment when it is older than the comment's version: such a
    // comment does not carry the condition.
    for (const char* statement :
         {"SELECT * FROM d /*!99999 WHERE a = 1 */", "SELECT * FROM d /*!WHERE a = 1*/",
          "SELECT * FROM /*!99999 d */", "SELECT * FROM d WHERE /*!a = 1 AND*/ b = 2"})
        EXPECT_EQ(Added(statement),
                  "off: The detail statement's condition would stand in an executable comment; "
                  "its rows are filtered locally")
            << statement;
}

TEST(LinkStatement, OnlyASingleSelectTakesTheCondition) {
    EXPECT_EQ(Added("SELECT a FROM t UNION SELECT a FROM u"),
              "off: The detail statement combines several SELECTs (UNION); its rows are filtered "
              "locally");
    EXPECT_EQ(Added("SHOW TABLES"), "off: The detail statement is not a SELECT; its rows are "
                                    "filtered locally");
    // A UNION inside parentheses is part of one SELECT.
    EXPECT_EQ(Added("SELECT * FROM (SELECT a FROM t UNION SELECT a FROM u) x"),
              "SELECT * FROM (SELECT a FROM t UNION SELECT a FROM u) x WHERE c = '1'");
}

struct MatchCase {
    FieldType type;
    bool isUnsigned;
    ValueView value;
    const char* search;
    unsigned options;
    bool matches;
};

ValueView Text(const char* t) {
    return {false, 0, 0, t};
}
ValueView Int(std::int64_t i) {
    return {false, i, 0, {}};
}

TEST(ValueMatcher, LikeValuesMatch) {
    const ValueView null{};
    const MatchCase cases[] = {
        {FieldType::Decimal, false, Text("5.00"), "5", 0, true},
        {FieldType::Decimal, false, Text("5.01"), "5", 0, false},
        {FieldType::Decimal, false, Text("-0.50"), "-.5", 0, true},
        {FieldType::Integer, false, Int(5), "5.00", 0, true},
        {FieldType::Integer, false, Int(5), " 5 ", 0, true},
        {FieldType::Integer, false, Int(5), "5.5", 0, false},
        {FieldType::Integer, false, Int(0), "abc", 0, false},
        {FieldType::Integer, true, Int(-1), "18446744073709551615", 0, true},
        {FieldType::Integer, false, Int(-1), "18446744073709551615", 0, false},
        {FieldType::Float, false, {false, 0, 1.5, {}}, "1.50", 0, true},
        {FieldType::DateTime, false, Text("2001-05-17 00:00:00"), "2001-05-17", 0, true},
        {FieldType::DateTime, false, Text("2001-05-17 13:45:00"), "2001-05-17", 0, false},
        {FieldType::DateTime, false, Text("2001-05-17 13:45:00"), "2001-05-17 13:45:00", 0, true},
        {FieldType::Date, false, Text("2001-05-17"), "2001-05-17 00:00:00", 0, true},
        {FieldType::Boolean, false, Int(1), "Y", 0, true},
        {FieldType::Boolean, false, Int(0), "Y", 0, false},
        {FieldType::String, false, Text("Smith"), "smith", 0, false},
        {FieldType::String, false, Text("SMITH"), "smith", loCaseInsensitive, true},
        {FieldType::String, false, Text("ŠIŠA Đurić"), "šiša đURIĆ", loCaseInsensitive, true},
        {FieldType::String, false, Text("Smith"), "Smi", loPartialKey, true},
        {FieldType::String, false, Text("Smith"), "smi", loPartialKey, false},
        {FieldType::String, false, Text("Smith"), "sMI", loPartialKey | loCaseInsensitive, true},
        // The search text must begin the value, not the other way round.
        {FieldType::String, false, Text("Smith"), "Smithson", loPartialKey, false},
        {FieldType::String, false, Text("Smith"), "", loPartialKey, false},
        {FieldType::String, false, Text(""), "", loPartialKey, true},
        {FieldType::Integer, false, Int(1234), "12", loPartialKey, true},
        {FieldType::String, false, null, "", 0, true},
        {FieldType::String, false, null, "x", 0, false},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(ValueMatcher(c.type, c.isUnsigned, c.search, c.options).Matches(c.value),
                  c.matches)
            << FieldTypeName(c.type) << " '" << c.value.text << "' " << c.value.i << " vs '"
            << c.search << "' options " << c.options;
    // In a link a NULL matches nothing, not even an empty text.
    EXPECT_FALSE(ValueMatcher(FieldType::String, false, "", 0, true).Matches(null));
    EXPECT_FALSE(ValueMatcher::NeverMatch().Matches(Text("")));
}

} // namespace
