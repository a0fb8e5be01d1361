// A field read as text is shown from the text the row holds without reading its number first: what
// it shows is what the value read from that text shows, for every type and every text; a row being
// edited shows its edited values; rows of every width and value length read back byte for byte.
#include "live_fixture.h"

#include "data/row_cache.h"

#include <string>
#include <vector>

namespace {

struct Case {
    FieldType type;
    bool isUnsigned;
    std::string text;
};

// The display text of the value the row cache reads from the text.
std::string ShownFromValue(const Case& c) {
    RowCache cache;
    cache.Reset({CellKindOf(c.type, c.isUnsigned)});
    const char* texts[] = {c.text.data()};
    const unsigned long lengths[] = {static_cast<unsigned long>(c.text.size())};
    const int columns[] = {0};
    const CachedRow* row = cache.AppendFromTexts(texts, lengths, columns, 1, 1);
    return DisplayText(c.type, c.isUnsigned, cache.Value(row, 0));
}

TEST(ShownTextTest, TheHeldTextShowsAsTheValueReadFromIt) {
    const std::vector<std::string> numbers = {"0",
                                              "-0",
                                              "42",
                                              "00000042",
                                              "-7",
                                              "+7",
                                              "-",
                                              "",
                                              " 42",
                                              "42 ",
                                              "4x",
                                              "x4",
                                              "1e5",
                                              "1.",
                                              ".5",
                                              "-.5",
                                              "1.5000",
                                              "0.0001",
                                              "-0.5",
                                              "1.2.3",
                                              "nan",
                                              "inf",
                                              "-inf",
                                              "123456789012345678",
                                              "1234567890123456789",
                                              "18446744073709551615",
                                              "18446744073709551616",
                                              "-9223372036854775808",
                                              "9223372036854775808",
                                              "12345678:",
                                              "/2345678",
                                              "1234567/",
                                              "1234567a",
                                              "12345678\xb0",
                                              "\xb0"
                                              "2345678",
                                              "1234\xff"
                                              "5678",
                                              "9999999999999999.99",
                                              "0.000000000000000000000000001",
                                              "12a45",
                                              "1234a",
                                              "a234",
                                              "123456a8901",
                                              "12345678901a",
                                              "1.234a",
                                              "12.3456789012345a",
                                              "1" + std::string(40, '0'),
                                              "1." + std::string(40, '5')};
    std::vector<Case> cases;
    for (const std::string& t : numbers) {
        cases.push_back({FieldType::Integer, false, t});
        cases.push_back({FieldType::Integer, true, t});
        cases.push_back({FieldType::Float, false, t});
        cases.push_back({FieldType::Decimal, false, t});
    }
    for (const std::string& t : std::vector<std::string>{
             "2000-01-01", "0000-00-00", "2000-01-01 00:00:00", "2000-01-01 08:00:37",
             "0000-00-00 08:00:00", "0000-00-00 00:00:00", "2000-01-01 00:00:00.000000",
             "2000-01-01 00:00:00.5", "00:00:00", "838:59:59", "-01:00:00", "", " ", "x y z"}) {
        cases.push_back({FieldType::Date, false, t});
        cases.push_back({FieldType::Time, false, t});
        cases.push_back({FieldType::DateTime, false, t});
    }
    for (const std::string& t : std::vector<std::string>{"Y", "y", "N", "n", "", "Yes", "x"})
        cases.push_back({FieldType::Boolean, false, t});
    for (const std::string& t :
         std::vector<std::string>{"", "text", std::string("a\0b", 3), "\xc5\xa0ljiva"}) {
        cases.push_back({FieldType::String, false, t});
        cases.push_back({FieldType::Memo, false, t});
        cases.push_back({FieldType::Blob, false, t});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(FieldTypeName(c.type)) + (c.isUnsigned ? " unsigned" : "") +
                     " \"" + c.text + "\"");
        std::string_view shown;
        if (StoredDisplayText(KindOf(c.type), c.isUnsigned, c.text, shown)) {
            EXPECT_EQ(std::string(shown), ShownFromValue(c));
        }
    }
    // The plain texts the server sends are decided from the text alone.
    std::string_view shown;
    EXPECT_TRUE(StoredDisplayText(ValueKind::Integer, false, "-123456789012345678", shown));
    EXPECT_TRUE(StoredDisplayText(ValueKind::Integer, true, "00000042", shown));
    EXPECT_TRUE(StoredDisplayText(ValueKind::Float, false, "-17636.142857142859", shown));
    EXPECT_TRUE(StoredDisplayText(ValueKind::DateTime, false, "2000-01-01 00:00:00", shown));
    EXPECT_EQ(shown, "2000-01-01");
}

TEST(ShownTextTest, DatesAndTimesLeaveOutTheirZeroPart) {
    EXPECT_EQ(DateTimeShownPart("2000-01-01 00:00:00"), "2000-01-01");
    EXPECT_EQ(DateTimeShownPart("0000-00-00 08:00:00"), "08:00:00");
    EXPECT_EQ(DateTimeShownPart("0000-00-00 00:00:00.000"), "");
    EXPECT_EQ(DateTimeShownPart("0000-00-00"), "");
    EXPECT_EQ(DateTimeShownPart("2000-01-01 00:00:00.5"), "2000-01-01 00:00:00.5");
    EXPECT_EQ(DateTimeShownPart("838:59:59"), "838:59:59");
    EXPECT_EQ(DateTimeShownPart("-00:00:01"), "-00:00:01");
    EXPECT_EQ(DateTimeShownPart(""), "");
}

TEST(ShownTextTest, RowsOfEveryWidthAndValueLengthReadBackByteForByte) {
    // Ten fields (two bytes of null bits), the fourth left out of the result, the others read
    // from columns in another order; values of every length up to 40 bytes and rows past 255 and
    // 65535 bytes.
    const std::size_t kFields = 10;
    RowCache cache;
    cache.Reset(std::vector<CellKind>(kFields, CellKind::Text));
    const std::vector<int> columns = {9, 8, 7, -1, 5, 4, 3, 2, 1, 0};
    std::vector<std::vector<std::string>> rows;
    std::vector<std::vector<bool>> nulls;
    for (std::size_t len = 0; len <= 40; ++len) {
        for (const std::size_t wide : {std::size_t(0), std::size_t(300), std::size_t(70000)}) {
            std::vector<std::string> values(kFields);
            std::vector<bool> null(kFields);
            for (std::size_t c = 0; c < kFields; ++c) {
                const std::size_t n = c == 2 ? wide : (len + c) % 41;
                for (std::size_t k = 0; k < n; ++k)
                    values[c] += static_cast<char>('a' + (k * 7 + c + len) % 26);
                null[c] = (len + c) % 7 == 0;
            }
            std::vector<const char*> texts;
            std::vector<unsigned long> lengths;
            for (std::size_t c = 0; c < kFields; ++c) {
                texts.push_back(null[c] ? nullptr : values[c].data());
                lengths.push_back(null[c] ? 0 : static_cast<unsigned long>(values[c].size()));
            }
            cache.AppendFromTexts(texts.data(), lengths.data(), columns.data(),
                                  static_cast<std::int64_t>(rows.size() + 1),
                                  static_cast<std::int64_t>(rows.size() + 1));
            rows.push_back(values);
            nulls.push_back(null);
        }
    }
    ASSERT_EQ(cache.Count(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t f = 0; f < kFields; ++f) {
            SCOPED_TRACE("row " + std::to_string(r) + " field " + std::to_string(f));
            std::string_view text;
            const bool held = cache.StoredText(cache.Block(r), f, text);
            const int c = columns[f];
            if (c < 0 || nulls[r][static_cast<std::size_t>(c)]) {
                EXPECT_FALSE(held);
                EXPECT_TRUE(cache.Value(cache.Row(r), f).null);
                continue;
            }
            ASSERT_TRUE(held);
            EXPECT_EQ(text, rows[r][static_cast<std::size_t>(c)]);
        }
    }
    std::string_view text;
    EXPECT_FALSE(cache.StoredText(cache.Block(0), kFields, text));
    EXPECT_FALSE(cache.StoredText(nullptr, 0, text));
}

class ShownFieldTest : public LiveTest {};

TEST_F(ShownFieldTest, AFieldShowsTheEditedValueWhileARowIsEditedOrInserted) {
    Use("CREATE TABLE s (k INT PRIMARY KEY, d DOUBLE, m DATETIME, f ENUM('N','Y'), t VARCHAR(20))");
    Use("INSERT INTO s VALUES (1, 1.5, '2001-05-17 00:00:00', 'Y', 'one'), "
        "(2, NULL, '0000-00-00 13:45:00', 'N', NULL)");
    Open("SELECT * FROM s ORDER BY k");
    const auto shown = [&] {
        std::vector<std::string> texts;
        for (std::size_t f = 0; f < q_.FieldCount(); ++f)
            texts.push_back(q_.Field(f).AsString());
        return texts;
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(shown(), (Texts{"1", "1.5", "2001-05-17", "Y", "one"}));
    q_.Edit();
    q_.FieldByName("d").SetAsString("2.25");
    q_.FieldByName("t").Clear();
    q_.FieldByName("m").SetAsString("2002-02-02 00:00:00");
    EXPECT_EQ(shown(), (Texts{"1", "2.25", "2002-02-02", "Y", ""}));
    q_.Cancel();
    EXPECT_EQ(shown(), (Texts{"1", "1.5", "2001-05-17", "Y", "one"}));
    q_.Next();
    EXPECT_EQ(shown(), (Texts{"2", "", "13:45:00", "N", ""}));
    q_.Append();
    EXPECT_EQ(q_.FieldByName("t").AsString(), "");
    q_.FieldByName("k").SetAsString("3");
    q_.FieldByName("t").SetAsString("three");
    EXPECT_EQ(q_.FieldByName("k").AsString(), "3");
    q_.Post();
    EXPECT_EQ(q_.FieldByName("k").AsString(), "3");
    EXPECT_EQ(q_.FieldByName("t").AsString(), "three");
    Open("SELECT * FROM s ORDER BY k");
    q_.Last();
    EXPECT_EQ(shown(), (Texts{"3", "", "", "", "three"}));
}

} // namespace
