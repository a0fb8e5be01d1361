// View rows: the visible rows of a dataset numbered without holes, over record numbers that stay
// the cache positions.
#include "live_fixture.h"

#include <stdexcept>

namespace {

// Hides the rows whose first field is even, as a filter would.
class OddRowsQuery : public TMySQLQuery {
public:
    bool hideEven = false;
    void Changed() { InvalidateViewRows(); }

protected:
    bool RowVisible(std::size_t index) const override {
        if (!hideEven)
            return TMySQLQuery::RowVisible(index);
        return CachedValue(index, 0).i % 2 != 0;
    }
};

class ViewRowsTest : public LiveTest {};

TEST(ViewIndex, AQuestionThatRaisesLeavesTheRowsBeforeItListedOnce) {
    ViewIndex view;
    bool raise = true;
    // Rows 1 and 3 are hidden; row 4 raises the first time it is asked about.
    const auto visible = [&](std::size_t i) {
        if (i == 4 && raise)
            throw std::runtime_error("not now");
        return i != 1 && i != 3;
    };
    EXPECT_THROW(view.Update(6, visible), std::runtime_error);
    EXPECT_EQ(view.Count(), 2u); // rows 0 and 2
    raise = false;
    view.Update(6, visible);
    ASSERT_EQ(view.Count(), 4u);
    EXPECT_EQ(view.PositionOf(1), 2);
    EXPECT_EQ(view.PositionOf(2), 4);
    EXPECT_EQ(view.PositionOf(3), 5);
    EXPECT_EQ(view.ViewRowOf(4), 2);
}

TEST_F(ViewRowsTest, IdentityWhileNothingIsHiddenAndNoHolesWhenRowsAre) {
    Use("CREATE TABLE t (id INT PRIMARY KEY)");
    Use("INSERT INTO t VALUES (1),(2),(3),(4),(5),(6),(7)");
    OddRowsQuery q;
    q.SetDatabase(&db_);
    q.SetSQLText("SELECT id FROM t ORDER BY id");
    q.Open();
    // Nothing read yet, then read on demand; the identity while nothing is hidden.
    EXPECT_EQ(q.ViewRowCount(), 0);
    EXPECT_EQ(q.ReadViewRowsUpTo(3), 3);
    EXPECT_EQ(q.ViewRowToRecNo(3), 3);
    EXPECT_EQ(q.RecNoToViewRow(2), 2);
    EXPECT_EQ(q.RecNoToViewRow(4), 0); // not read yet
    EXPECT_EQ(q.ViewRowToRecNo(0), 0);

    // Hiding rows: the view rows close up, the record numbers stay.
    q.hideEven = true;
    q.Changed();
    EXPECT_EQ(q.ViewRowCount(), 2); // 1 and 3 of the rows read
    EXPECT_EQ(q.ReadViewRowsUpTo(3), 3);
    EXPECT_EQ(q.RowsRead(), 5);
    EXPECT_EQ(q.ViewRowToRecNo(1), 1);
    EXPECT_EQ(q.ViewRowToRecNo(2), 3);
    EXPECT_EQ(q.ViewRowToRecNo(3), 5);
    EXPECT_EQ(q.ViewRowToRecNo(4), 0);
    EXPECT_EQ(q.RecNoToViewRow(3), 2);
    EXPECT_EQ(q.RecNoToViewRow(4), 0); // hidden
    // Reading on grows the index from where it stopped.
    EXPECT_EQ(q.ReadViewRowsUpTo(100), 4);
    EXPECT_EQ(q.ViewRowToRecNo(4), 7);
    EXPECT_TRUE(q.AllRowsRead());

    // The cursor walks the visible rows; RecNo is the record number.
    q.First();
    q.Next();
    EXPECT_EQ(q.RecNo(), 3);
    EXPECT_EQ(q.FieldByName("id").AsString(), "3");

    // Shown again, the identity comes back.
    q.hideEven = false;
    q.Changed();
    EXPECT_EQ(q.ViewRowCount(), 7);
    EXPECT_EQ(q.ViewRowToRecNo(4), 4);
    q.Close();
    EXPECT_EQ(q.ViewRowCount(), 0);
}

} // namespace
