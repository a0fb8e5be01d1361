// The grid over random rows with random filters: whatever a filter meets in the rows, nothing
// raises out of the grid, and the grid shows exactly the rows the filter finds.
#include "grid_fixture.h"

#include <random>
#include <vector>

namespace {

class GridFilterRandomTest : public GridTest {
protected:
    std::mt19937 random_{6};
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <std::size_t N> const char* PickOf(const char* const (&items)[N]) {
        return items[Pick(static_cast<int>(N))];
    }

    // An operand, a field more often than not; below depth 2 it may hold an expression of its
    // own.
    std::string Operand(int depth) {
        static const char* const kFields[] = {"ID", "N", "M", "D", "T", "F", "[t]", "B", "[b]"};
        static const char* const kConstants[] = {
            "0",  "1",   "2",    ".5",  "'a'",  "'0'", "''",
            "-1", "'*'", "'a*'", "2.5", "TRUE", "1e3", "9223372036854775807"};
        const std::string o = Pick(3) ? PickOf(kFields) : PickOf(kConstants);
        switch (depth < 2 ? Pick(10) : 9) {
        case 0:
            return "-" + o;
        case 1:
            return "NOT " + o;
        case 2:
            return "(" + Expression(depth + 1) + ")";
        case 3:
            return std::string(PickOf({"ABS(", "SQRT(", "LN(", "EXP("})) + Operand(depth + 1) + ")";
        case 4:
            return "IIF(" + Operand(depth + 1) + ", " + Operand(depth + 1) + ", " +
                   Operand(depth + 1) + ")";
        default:
            return o;
        }
    }
    // Operands joined by operators; division, remainder and the logical operators, which raise
    // on some values, come often.
    std::string Expression(int depth) {
        static const char* const kOperators[] = {" + ",   " - ",    " * ", " / ",  " % ",   " ^ ",
                                                 " = ",   " <> ",   " < ", " >= ", " AND ", " OR ",
                                                 " XOR ", " LIKE ", " / ", " % ",  " AND ", " / "};
        std::string e = Operand(depth);
        for (int k = Pick(3) + 1; k > 0; --k)
            e += PickOf(kOperators) + Operand(depth);
        return e;
    }
    std::string Value(const std::vector<std::string>& choices) {
        return choices[static_cast<std::size_t>(Pick(static_cast<int>(choices.size())))];
    }
};

TEST_F(GridFilterRandomTest, FiltersOverRandomRowsShowWhatTheyFindAndNeverRaise) {
    Use("CREATE TABLE r (id INT PRIMARY KEY, n BIGINT, m INT, d DECIMAL(10,2), t VARCHAR(10),"
        " f DOUBLE, b TINYINT(1))");
    // The rows the grid reads at first hold tame values; zeros, NULLs and extremes come later, in
    // rows the grid reads only as it scrolls.
    std::string values;
    for (int id = 1; id <= 700; ++id) {
        const bool tame = id <= 300;
        values += std::string(id > 1 ? "," : "") + "(" + std::to_string(id) + "," +
                  (tame ? std::to_string(Pick(100) + 1)
                        : Value({"0", "1", "-1", "NULL", "9223372036854775807",
                                 "-9223372036854775808", std::to_string(Pick(1000) - 500)})) +
                  "," +
                  (tame ? std::to_string(Pick(100) + 1)
                        : Value({"0", "2", "NULL", std::to_string(Pick(100))})) +
                  "," + (tame ? "1.25" : Value({"0.00", "NULL", "-12.50", "99999999.99"})) + "," +
                  (tame ? "'17'" : Value({"''", "'a'", "'0'", "'1.5'", "'x y'", "NULL", "'abc'"})) +
                  "," + (tame ? "2.5" : Value({"0", "1.5", "-2", "NULL", "1e300"})) + "," +
                  (tame ? "1" : Value({"0", "1", "NULL"})) + ")";
    }
    Use("INSERT INTO r VALUES " + values);
    int applied = 0, faulty = 0;
    for (int round = 0; round < 80; ++round) {
        if (round % 20 == 0) {
            q_.Close();
            q_.StoreResult = round % 40 == 0;
            Open("SELECT * FROM r ORDER BY id");
        }
        const std::string filter = Expression(0);
        try {
            q_.SetFilter(filter);
            q_.SetFiltered(true);
        } catch (const EParserError&) {
            continue; // does not compile: refused, as the filter bar would show
        }
        ++applied;
        Settle();
        // The grid reads on to the end as it scrolls, and paints on the way.
        for (int i = 0; i < 10 && Model().canFetchMore({}); ++i) {
            grid_->scrollToBottom();
            Settle();
        }
        ASSERT_FALSE(Model().canFetchMore({})) << filter;
        // The rows the filter finds, one by one, are the grid's rows.
        std::vector<QString> found;
        for (bool more = q_.FindFirst(); more; more = q_.FindNext())
            found.push_back(QString::fromStdString(q_.FieldByName("id").AsString()));
        Settle();
        ASSERT_EQ(Model().rowCount(), static_cast<int>(found.size())) << filter;
        for (int row = 0; row < Model().rowCount(); ++row)
            ASSERT_EQ(Cell(row, 0), found[static_cast<std::size_t>(row)]) << filter;
        if (q_.FirstFilterFault().recNo != 0) {
            ++faulty;
            EXPECT_EQ(q_.RecNoToViewRow(q_.FirstFilterFault().recNo), 0) << filter;
        }
        // Moving in the grid moves the dataset.
        if (Model().rowCount() > 0) {
            const int row = Pick(Model().rowCount());
            grid_->setCurrentIndex(Model().index(row, 1));
            Settle();
            EXPECT_EQ(QString::fromStdString(q_.FieldByName("id").AsString()), Cell(row, 0))
                << filter;
        }
        if (round % 10 == 9)
            q_.Refresh();
        q_.SetFiltered(false);
        Settle();
    }
    // Nothing the grid asked raised: no failure was shown.
    EXPECT_TRUE(prompts_.shown.isEmpty()) << prompts_.shown.join("\n").toStdString();
    EXPECT_GT(applied, 40);
    EXPECT_GT(faulty, 5);
}

} // namespace
