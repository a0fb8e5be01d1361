// The query's filter part: the expression bound to the fields of every opening, judging and
// finding rows over the query's row cache, and the first row it could not judge.
#include "data_fixture.h"

#include "data/query_filter.h"

namespace {

class QueryFilterTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        Use("CREATE TABLE item (id INT PRIMARY KEY, name VARCHAR(20), qty INT)");
        Use("INSERT INTO item VALUES (1, 'apple', 20), (2, 'pear', 0), (3, 'plum', 5),"
            " (4, 'fig', 30)");
    }
    // The ids of the visible rows, from the first.
    std::string Ids() {
        std::string out;
        for (q_.First(); !q_.Eof(); q_.Next())
            out += q_.FieldByName("id").AsString();
        return out;
    }
};

// A filter of its own over the query's rows judges them and finds by key values, leaving the
// query's own filter as it was.
TEST_F(QueryFilterTest, AFilterOverTheQuerysRowsJudgesAndFindsThem) {
    Open("SELECT * FROM item ORDER BY id");
    QueryFilter filter(q_);
    filter.SetText("100 / QTY > 4");
    ASSERT_TRUE(q_.FetchUpTo(4));
    EXPECT_TRUE(filter.Passes(0));
    EXPECT_FALSE(filter.Passes(1)); // a division by zero
    EXPECT_FALSE(filter.Passes(3));
    EXPECT_EQ(filter.FirstFault().recNo, 2);
    EXPECT_EQ(filter.FirstFault().error, "Division by zero");
    EXPECT_TRUE(filter.Shows(1)); // not switched on
    EXPECT_FALSE(filter.InEffect());
    EXPECT_EQ(q_.Filter(), "");
    EXPECT_EQ(q_.FirstFilterFault().recNo, 0);

    const std::vector<std::size_t> fields = filter.KeyFieldList("name; 2");
    EXPECT_EQ(fields, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(
        filter.FindMatching(fields, filter.KeyMatchers(fields, {"PLUM", "5"}, loCaseInsensitive)),
        2);
    EXPECT_EQ(filter.FindMatching(fields, filter.KeyMatchers(fields, {"plum", "6"}, 0)), -1);
    EXPECT_EQ(ErrorOf([&] { filter.KeyMatchers(fields, {"plum"}, 0); }),
              "Incorrect arguments number");
}

TEST_F(QueryFilterTest, TheFilterFollowsTheFieldsOfEveryOpening) {
    q_.SetFilter("QTY > 10");
    q_.SetFiltered(true); // set while closed: in effect from the opening on
    Open("SELECT id, qty FROM item ORDER BY id");
    EXPECT_EQ(Ids(), "14");
    Open("SELECT qty, name, id FROM item ORDER BY id"); // the field at another place
    EXPECT_EQ(Ids(), "14");
    // An opening without the field raises and leaves the query closed.
    EXPECT_EQ(ErrorOf([&] { Open("SELECT id, name FROM item"); }), "Variable \"QTY\" not found");
    EXPECT_FALSE(q_.Active());
    q_.SetFiltered(false);
    Open("SELECT id, name FROM item ORDER BY id");
    EXPECT_EQ(Ids(), "1234");
    EXPECT_EQ(ErrorOf([&] { q_.FindFirst(); }), "Variable \"QTY\" not found");
}

TEST_F(QueryFilterTest, SearchesPassOverHiddenRowsAndRowsReadAgainForgetTheFault) {
    Open("SELECT * FROM item ORDER BY id");
    q_.SetFilter("QTY >= 5");
    q_.SetFiltered(true);
    EXPECT_FALSE(q_.Locate("name", {"pear"})); // hidden by the filter
    EXPECT_FALSE(q_.Lookup("id", {"2"}, "name"));
    EXPECT_TRUE(q_.Locate("name", {"plum"}));
    EXPECT_EQ(q_.FieldByName("id").AsString(), "3");

    q_.SetFilter("100 / QTY > 4");
    EXPECT_EQ(Ids(), "13");
    EXPECT_EQ(q_.FirstFilterFault().recNo, 2);
    Use("UPDATE item SET qty = 1 WHERE id = 2");
    q_.Refresh();
    EXPECT_EQ(q_.FirstFilterFault().recNo, 0);
    EXPECT_EQ(Ids(), "123");
    q_.Close();
    EXPECT_EQ(q_.FirstFilterFault().recNo, 0);
    EXPECT_EQ(q_.Filter(), "100 / QTY > 4"); // the filter outlives the rows
    EXPECT_TRUE(q_.Filtered());
}

} // namespace
