#include "data/filter_parser.h"
#include "support/error_of.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// The result of an expression as kind letter and text: I7, F3.5, T"ab", B1.
std::string Eval(const std::string& expression) {
    TParser p;
    p.SetEquation(expression);
    const FilterValue& v = p.Evaluate();
    switch (v.kind) {
    case FilterKind::Integer:
        return "I" + AsText(v);
    case FilterKind::Float:
        return "F" + AsText(v);
    case FilterKind::Text:
        return "T\"" + v.text + "\"";
    case FilterKind::Boolean:
        return v.b ? "B1" : "B0";
    }
    return "?";
}

struct Case {
    const char* expression;
    const char* expected;
};

TEST(FilterParser, ExpressionsGiveTheirValues) {
    const Case cases[] = {
        // Arithmetic and its kinds.
        {"2 ^ 10", "F1024"},
        {"10 ^ 3", "F1000"},
        {"(-2) ^ 2", "F4"},
        {"-2 ^ 2", "F4"},
        {"7 % 3", "I1"},
        {"-7 % 3", "I-1"},
        {"7 / 2", "F3.5"},
        {"6 / 3", "F2"},
        {"7 * 2.5", "F17.5"},
        {"2.5 * 2", "F5"},
        {"1.5e3", "F1500"},
        {".5 + 1", "F1.5"},
        {"-.25 * 2", "F-0.5"},
        // Priorities and grouping from the left.
        {"1 + 2 * 3", "I7"},
        {"(1 + 2) * 3", "I9"},
        {"2 * 3 ^ 2", "F18"},
        {"10 - 4 - 3", "I3"},
        {"100 / 10 / 5", "F2"},
        {"2 + 3 = 5", "B1"},
        {"1 < 2 = TRUE", "B1"},
        {"NOT 1 = 2", "B1"},
        {"NOT TRUE AND FALSE", "B0"},
        {"TRUE OR FALSE AND FALSE", "B0"},
        {"1 = 1 AND 2 = 2", "B1"},
        {"+5", "I5"},
        {"- -5", "I5"},
        {"-(3 - 5)", "I2"},
        // Bitwise on integers, logical on booleans.
        {"6 AND 3", "I2"},
        {"6 OR 3", "I7"},
        {"6 XOR 3", "I5"},
        {"TRUE XOR TRUE", "B0"},
        {"TRUE XOR FALSE", "B1"},
        // Texts: the right operand follows the left one's kind.
        {"'a' + 'b'", "T\"ab\""},
        {"'x' + 1", "T\"x1\""},
        {"'10' > 9", "B0"},
        {"'9' > '10'", "B1"},
        {"10 < '9'", "B0"},
        {"5 = '5.00'", "B1"},
        {"'O\\'Brien'", "T\"O'Brien\""},
        {"\"double\"", "T\"double\""},
        // Beyond 64 bits the numbers move to floating point.
        {"9223372036854775807 + 1", "F9223372036854775808"},
        {"-9223372036854775807 - 2", "F-9223372036854775808"},
        {"3037000500 * 3037000500", "F9223372037000249344"},
        {"9223372036854775808", "F9223372036854775808"},
        {"9223372036854775807", "I9223372036854775807"},
        // Functions.
        {"SUM(1, 2, 3)", "I6"},
        {"SUM('a', 'b', 1)", "T\"ab1\""},
        {"MAX(3, 9, 2)", "I9"},
        {"MIN(3, 9, 2)", "I2"},
        {"MAX('pear', 'apple')", "T\"pear\""},
        {"iif(1 > 0, 'in', 'out')", "T\"in\""},
        {"IIF(0, 'in', 'out')", "T\"out\""},
        {"ABS(-4)", "I4"},
        {"ABS(-9223372036854775807 - 1)", "F9223372036854775808"},
        {"SQRT(16)", "F4"},
        {"SIN(0)", "F0"},
        {"COS(0)", "F1"},
        {"TAN(0)", "F0"},
        {"LN(EXP(0))", "F0"},
        {"MAX(1, 2) + MIN(5, 6) * 2", "I12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval(c.expression), c.expected) << c.expression;
}

TEST(FilterParser, NowIsTheCurrentDateAndTimeAsText) {
    const std::string now = Eval("NOW()");
    ASSERT_EQ(now.size(), 2 + 19 + 1) << now;
    EXPECT_EQ(now.substr(6, 1), "-");
    EXPECT_EQ(now.substr(12, 1), " ");
    EXPECT_EQ(now.substr(15, 1), ":");
}

TEST(FilterParser, FaultsRaiseTheirTexts) {
    std::string deep;
    for (int i = 0; i < 10000; ++i)
        deep += "(";
    deep += "1";
    for (int i = 0; i < 10000; ++i)
        deep += ")";
    std::string pending;
    for (int i = 0; i < 101; ++i)
        pending += "1+(";
    pending += "1" + std::string(101, ')');
    std::string manyArguments = "MAX(1";
    for (int i = 0; i < 100; ++i)
        manyArguments += ",1";
    manyArguments += ")";
    std::string longSum = "1";
    for (int i = 0; i < 600; ++i)
        longSum += "+1";

    const Case cases[] = {
        {"", "Stack is empty"},
        {"1 2", "Syntax error"},
        {"A B", "Syntax error"},
        {"1 +", "Syntax error"},
        {"(1 + 2", "Syntax error"},
        {"1 + 2)", "Syntax error"},
        {"* 3", "Syntax error"},
        {"1 & 2", "Syntax error"},
        {"'abc", "Syntax error"},
        {"[last name", "Syntax error"},
        {"12abc", "Syntax error"},
        {".5x", "Syntax error"},
        {"MAX(1,)", "Syntax error"},
        {"NOT", "Syntax error"},
        {"IIF(AMOUNT > 0, 'in')", "Incorrect params in function IIF()"},
        {"IIF(1, 2, 3, 4)", "Incorrect params in function IIF()"},
        {"IIF()", "Incorrect params in function IIF()"},
        {"SIN()", "Incorrect params in function SIN()"},
        {"SQRT(1, 2)", "Incorrect params in function SQRT()"},
        {"MAX()", "Incorrect params in function MAX()"},
        {"NOW(1)", "Incorrect params in function NOW()"},
        {"FOO(1)", "Function \"FOO\" not found"},
        {"7 % 0", "Division by zero"},
        {"7 / 0", "Division by zero"},
        {"7 / '0'", "Division by zero"},
        {"(-9223372036854775807 - 1) % -1", "Integer overflow"},
        {"-(-9223372036854775807 - 1)", "Integer overflow"},
        {"TRUE + 1", "Incorrect operation"},
        {"-TRUE", "Incorrect operation"},
        {"'a' AND 'b'", "Types mismatch"},
        {"1.5 OR 1", "Types mismatch"},
        {deep.c_str(), "Expression is nested too deeply"},
        {pending.c_str(), "Stack is full"},
        {manyArguments.c_str(), "Stack is full"},
        {longSum.c_str(), "Expression is too long"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { Eval(c.expression); }), c.expected)
            << std::string(c.expression).substr(0, 60);
}

TEST(FilterParser, FloatingPointNeverTraps) {
    EXPECT_EQ(Eval("7.0 / 0"), "Finf");
    EXPECT_EQ(Eval("SQRT(-1) = SQRT(-1)"), "B0");
    EXPECT_EQ(Eval("0.5 % 0.2"), "F" + AsText(FilterValue::Float(std::fmod(0.5, 0.2))));
}

TEST(FilterParser, CompilesToPostfix) {
    TParser p;
    p.SetEquation("1 + 2 * 3");
    std::string program;
    for (const TParser::Item& item : p.Program())
        program += (item.kind == TParser::ikOperator ? FilterOpText(item.op) : AsText(item.value)) +
                   std::string(" ");
    EXPECT_EQ(program, "1 2 3 * + ");

    p.SetEquation("-MAX(A, 2)");
    std::vector<int> kinds;
    for (const TParser::Item& item : p.Program())
        kinds.push_back(item.kind);
    EXPECT_EQ(kinds, (std::vector<int>{TParser::ikVariable, TParser::ikInteger, TParser::ikInteger,
                                       TParser::ikFunction, TParser::ikOperator}));
    EXPECT_EQ(p.Program()[2].value.i, 2); // the argument count before the call
    EXPECT_EQ(p.Program()[4].op, FilterOp::Negate);
}

struct LikeCase {
    const char* text;
    const char* pattern;
    bool matches;
};

TEST(FilterParser, LikeMatchesWildcardsWithoutRegardToCase) {
    const LikeCase cases[] = {
        {"Smith", "sm*", true},
        {"SMALL", "sm*", true},
        {"Asmith", "sm*", false},
        {"Smith", "s?ith", true},
        {"Smith", "s??ith", false},
        {"Smith", "s[mn]ith", true},
        {"Snith", "s[!m]ith", true},
        {"Smith", "s[^m]ith", false},
        {"B", "[a-c]", true},
        {"d", "[a-c]", false},
        {"", "*", true},
        {"", "?", false},
        {"", "", true},
        {"abc", "a*c", true},
        {"abcd", "a*c", false},
        {"abcbc", "*bc", true},
        {"a[b", "a[b", true},
        {"x", "[]", false},
        // One UTF-8 character for "?" and a set, case folded beyond ASCII.
        {"žaba", "?aba", true},
        {"ćevap", "[čć]evap", true},
        {"čvor", "Č*", true},
        {"ŠIŠA", "šiša", true},
        {"Đuro", "đ?ro", true},
        {"ĐURO", "đuro", true},
        {"Ärger", "ä*", true},
        {"Łódź", "łÓDŹ", true},
        {"ДОМ", "дом", true},
        {"Ünïcödé", "ü?ïc[ö]d?", true},
    };
    TParser p;
    p.SetEquation("T LIKE P");
    for (const LikeCase& c : cases) {
        p.SetVariable("T", FilterValue::Text(c.text));
        p.SetVariable("P", FilterValue::Text(c.pattern));
        EXPECT_EQ(p.Evaluate().b, c.matches) << c.text << " LIKE " << c.pattern;
    }
}

TEST(FilterParser, LikeTakesLinearTimeOnHostilePatterns) {
    TParser p;
    p.SetEquation("T LIKE '*a*a*a*a*b'");
    p.SetVariable("T", FilterValue::Text(std::string(10000, 'a')));
    EXPECT_FALSE(p.Evaluate().b);
    p.SetVariable("T", FilterValue::Text(std::string(10000, 'a') + "b"));
    EXPECT_TRUE(p.Evaluate().b);
    // Numbers are matched by their text.
    p.SetEquation("1234 LIKE '12*'");
    EXPECT_TRUE(p.Evaluate().b);
}

TEST(FilterParser, VariablesInOrderOfAppearanceAndByAnyCase) {
    TParser p;
    p.SetEquation("[last name] = 'Doe' AND b + A + B > 0");
    ASSERT_EQ(p.VariableCount(), 3u);
    EXPECT_EQ(p.VariableName(0), "LAST NAME");
    EXPECT_EQ(p.VariableName(1), "B");
    EXPECT_EQ(p.VariableName(2), "A");
    EXPECT_EQ(ErrorOf([&] { p.VariableName(3); }), "Incorrect variable index");
    EXPECT_EQ(p.GetVariable("a")->i, 0); // registered as 0
    EXPECT_EQ(p.GetVariable("nothing"), nullptr);

    p.SetVariable("Last Name", FilterValue::Text("Doe"));
    p.SetVariable("a", FilterValue::Integer(1));
    EXPECT_TRUE(p.Evaluate().b);
    p.SetVariableNull("A"); // keeps its value
    EXPECT_EQ(p.GetVariable("A")->i, 1);
    p.SetVariable("Last Name", FilterValue::Text("Roe"));
    EXPECT_FALSE(p.Evaluate().b);

    // A new equation registers its own variables only.
    p.SetEquation("X");
    EXPECT_EQ(p.VariableCount(), 1u);
}

TEST(FilterParser, TwentyVariablesAndTwentyFunctionsAtMost) {
    std::string twenty = "V1", twentyOne;
    for (int i = 2; i <= 20; ++i)
        twenty += "+V" + std::to_string(i);
    twentyOne = twenty + "+V21";
    TParser p;
    p.SetEquation(twenty);
    EXPECT_EQ(p.VariableCount(), 20u);
    EXPECT_EQ(ErrorOf([&] { p.SetVariable("another", FilterValue::Integer(1)); }),
              "Too many variables");
    EXPECT_EQ(ErrorOf([&] { p.SetEquation(twentyOne); }), "Too many variables");

    const auto twice = [](std::span<const FilterValue> args, FilterValue& r) {
        if (args.size() != 1)
            throw EParserError(IncorrectParamsText("TWICE"));
        r.SetInteger(AsInteger(args[0]) * 2);
    };
    p.SetEquation("TWICE(21)");
    EXPECT_EQ(ErrorOf([&] { p.Evaluate(); }), "Function \"TWICE\" not found");
    p.RegisterFunction("twice", twice); // found at evaluation, after compiling
    EXPECT_EQ(p.Evaluate().i, 42);
    p.RegisterFunction("ABS", twice); // replaces a built-in
    p.SetEquation("ABS(-2)");
    EXPECT_EQ(p.Evaluate().i, -4);
    for (int i = 0; i < 7; ++i)
        p.RegisterFunction("F" + std::to_string(i), twice); // 12 built in + TWICE + 7 = 20
    EXPECT_EQ(ErrorOf([&] { p.RegisterFunction("F7", twice); }), "Too many functions");
}

TEST(FilterParser, ACompileErrorStaysUntilTheTextIsCorrected) {
    TParser p;
    EXPECT_EQ(ErrorOf([&] { p.SetEquation("1 +"); }), "Syntax error");
    EXPECT_EQ(p.Equation(), "1 +");
    EXPECT_EQ(ErrorOf([&] { p.Evaluate(); }), "Syntax error");
    p.SetEquation("1 + 1");
    EXPECT_EQ(p.Evaluate().i, 2);
}

TEST(FilterParser, TruthOfAResult) {
    EXPECT_TRUE(IsTruthy(FilterValue::Boolean(true)));
    EXPECT_FALSE(IsTruthy(FilterValue::Boolean(false)));
    EXPECT_FALSE(IsTruthy(FilterValue::Integer(0)));
    EXPECT_TRUE(IsTruthy(FilterValue::Integer(-3)));
    EXPECT_FALSE(IsTruthy(FilterValue::Float(0.0)));
    EXPECT_FALSE(IsTruthy(FilterValue::Text("0.00")));
    EXPECT_TRUE(IsTruthy(FilterValue::Text("2")));
    EXPECT_TRUE(IsTruthy(FilterValue::Text("not a number")));
    EXPECT_TRUE(IsTruthy(FilterValue::Text("")));
}

} // namespace
