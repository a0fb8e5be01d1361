// The row cache keeps a row as the server's bytes with the end of each value: a row costs what its
// values take and a few bytes more, and every value reads back exactly, numbers as their text.
#include "data/row_cache.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

struct TextRow {
    std::vector<std::string> values;
    std::vector<bool> nulls;

    void Append(RowCache& cache, std::int64_t recNo) const {
        std::vector<const char*> texts;
        std::vector<unsigned long> lengths;
        std::vector<int> columns;
        for (std::size_t i = 0; i < values.size(); ++i) {
            texts.push_back(nulls[i] ? nullptr : values[i].data());
            lengths.push_back(nulls[i] ? 0 : static_cast<unsigned long>(values[i].size()));
            columns.push_back(static_cast<int>(i));
        }
        cache.AppendFromTexts(texts.data(), lengths.data(), columns.data(), recNo, recNo);
    }
};

TEST(RowCacheTest, ARowCostsItsBytesAndAFewMore) {
    const std::vector<CellKind> kinds = {CellKind::Int,  CellKind::Int,  CellKind::Double,
                                         CellKind::Text, CellKind::Text, CellKind::Text,
                                         CellKind::Text, CellKind::Text, CellKind::Text};
    RowCache cache;
    cache.Reset(kinds);
    const TextRow row{{"123456", "1234567891011", "17636.142857142859", "customer 12", "2000-01-01",
                       "2000-01-01 08:00:00", "a note", "c4ca4238", ""},
                      std::vector<bool>(kinds.size(), false)};
    std::size_t valueBytes = 0;
    for (const std::string& v : row.values)
        valueBytes += v.size();
    constexpr std::size_t kRows = 100000;
    for (std::size_t r = 1; r <= kRows; ++r)
        row.Append(cache, static_cast<std::int64_t>(r));
    // Beyond its values a row takes its header (record number, identifier, state), its null bits,
    // one byte per value's end while the row is short, alignment and its place in the row index;
    // the arena's last chunk and the index's spare room are the only other cost.
    constexpr std::size_t kPerRowOverhead = 48;
    constexpr std::size_t kSlack = 2u << 20;
    EXPECT_LE(cache.MemoryBytes(), kRows * (valueBytes + kPerRowOverhead) + kSlack);
    const RowRef last = cache.Row(kRows - 1);
    EXPECT_EQ(last->recNo, static_cast<std::int64_t>(kRows));
    for (std::size_t f = 0; f < kinds.size(); ++f)
        EXPECT_EQ(cache.Value(last, f).text, row.values[f]) << f;
    EXPECT_EQ(cache.Value(last, 0).i, 123456);
    EXPECT_EQ(cache.Value(last, 1).i, 1234567891011);
    EXPECT_DOUBLE_EQ(cache.Value(last, 2).d, 17636.142857142859);
}

TEST(RowCacheTest, ValuesReadBackExactlyWhateverTheRowsSize) {
    const std::vector<CellKind> kinds = {CellKind::Text, CellKind::Int,    CellKind::Text,
                                         CellKind::UInt, CellKind::Double, CellKind::Bool,
                                         CellKind::Text, CellKind::Text,   CellKind::Int};
    RowCache cache;
    cache.Reset(kinds);
    // Short rows, rows past 255 bytes and rows past 65535 bytes, NULLs and empty texts between
    // values, numbers with the server's own digits.
    std::vector<TextRow> rows;
    for (const std::size_t longText : {std::size_t(3), std::size_t(300), std::size_t(70000)}) {
        rows.push_back({{std::string(longText, 'x'), "00000042", "", "18446744073709551615",
                         "1.5000", "Y", "", "tail", "-9223372036854775808"},
                        {false, false, false, false, false, false, true, false, false}});
        rows.push_back({{"", "+7", std::string(longText, 'y'), "0", "0.0001", "N", "mid", "", "4x"},
                        {true, false, false, true, false, false, false, false, false}});
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
        rows[r].Append(cache, static_cast<std::int64_t>(r + 1));
    ASSERT_EQ(cache.Count(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const RowRef ref = cache.Row(r);
        for (std::size_t f = 0; f < kinds.size(); ++f) {
            SCOPED_TRACE("row " + std::to_string(r) + " field " + std::to_string(f));
            const ValueView v = cache.Value(ref, f);
            ASSERT_EQ(v.null, rows[r].nulls[f]);
            if (v.null || kinds[f] == CellKind::Bool)
                continue;
            EXPECT_EQ(v.text, rows[r].values[f]);
        }
    }
    const RowRef big = cache.Row(4);
    EXPECT_EQ(cache.Value(big, 1).i, 42);
    EXPECT_EQ(ExactText(FieldType::Integer, false, cache.Value(big, 1)), "00000042");
    EXPECT_EQ(static_cast<std::uint64_t>(cache.Value(big, 3).i), 18446744073709551615u);
    EXPECT_EQ(ExactText(FieldType::Integer, true, cache.Value(big, 3)), "18446744073709551615");
    EXPECT_EQ(ExactText(FieldType::Float, false, cache.Value(big, 4)), "1.5000");
    EXPECT_EQ(cache.Value(big, 5).i, 1);
    EXPECT_EQ(cache.Value(big, 8).i, std::numeric_limits<std::int64_t>::min());
    const RowRef other = cache.Row(5);
    EXPECT_EQ(ExactText(FieldType::Integer, false, cache.Value(other, 1)), "+7");
    EXPECT_EQ(cache.Value(other, 5).i, 0);
    // A text that is not a number reads as 0 and is written as 0, as before.
    EXPECT_EQ(cache.Value(other, 8).i, 0);
    EXPECT_EQ(ExactText(FieldType::Integer, false, cache.Value(other, 8)), "0");

    // A row built from values reads back as it was given, a number changed after it was read
    // with the text of its new value.
    std::vector<FieldValue> values(kinds.size());
    for (std::size_t f = 0; f < kinds.size(); ++f)
        values[f] = FieldValue::From(cache.Value(big, f));
    values[4].d = 2.25;
    values[5].i = 0;
    values[6] = {false, 0, 0, std::string(300, 'z')};
    const CachedRow* built = cache.Build(values, 99, 99, rsModified);
    EXPECT_EQ(built->state, rsModified);
    EXPECT_EQ(cache.Value(built, 0).text, std::string(70000, 'x'));
    EXPECT_EQ(ExactText(FieldType::Integer, false, cache.Value(built, 1)), "00000042");
    EXPECT_EQ(ExactText(FieldType::Float, false, cache.Value(built, 4)), "2.25");
    EXPECT_EQ(cache.Value(built, 5).i, 0);
    EXPECT_EQ(cache.Value(built, 6).text, std::string(300, 'z'));
    EXPECT_EQ(cache.Value(built, 7).text, "tail");
}

} // namespace
