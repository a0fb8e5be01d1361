// The query's master link: the master's values put into the statement or filtering the rows held,
// what a detail's pending changes do when the master moves, and a master that goes away.
#include "live_fixture.h"

#include "data/master_link.h"

#include <memory>

namespace {

class MasterLinkTest : public LiveTest {
protected:
    void SetUp() override {
        LiveTest::SetUp();
        Use("CREATE TABLE item (id INT PRIMARY KEY, name VARCHAR(10))");
        Use("CREATE TABLE line (no INT PRIMARY KEY, item_id INT, amount INT)");
        Use("INSERT INTO item VALUES (1, 'one'), (2, 'two')");
        Use("INSERT INTO line VALUES (1, 1, 10), (2, 2, 20), (3, 1, 30)");
        master_.SetDatabase(&db_);
        master_.SetSQLText("SELECT * FROM item ORDER BY id");
    }
    void TearDown() override {
        q_.SetMasterSource(nullptr);
        master_.Close();
        LiveTest::TearDown();
    }
    // The values of a field over the visible rows of the detail, from the first.
    std::string Column(const char* field) {
        std::string out;
        for (q_.First(); !q_.Eof(); q_.Next())
            out += (out.empty() ? "" : ",") + q_.FieldByName(field).AsString();
        return out;
    }

    TMySQLQuery master_;
};

// A link of its own over an open query: it hides rows or builds the statement, and gives a new
// row the master's values, without touching the query's own link.
TEST_F(MasterLinkTest, ALinkOverTheQueryFiltersItsRowsOrConditionsItsStatement) {
    master_.Open();
    Open("SELECT * FROM line ORDER BY no");
    {
        MasterLink link(q_);
        link.SetFields("item_id = id");
        EXPECT_FALSE(link.HidesRows()); // no master yet
        link.SetMaster(&master_);
        EXPECT_TRUE(link.HidesRows());
        ASSERT_TRUE(q_.FetchUpTo(3));
        EXPECT_TRUE(link.Passes(0));
        EXPECT_FALSE(link.Passes(1));
        EXPECT_TRUE(link.Passes(2));
        master_.Next();
        EXPECT_FALSE(link.Passes(0));
        EXPECT_TRUE(link.Passes(1));

        std::vector<FieldValue> values(q_.FieldCount());
        link.SetNewRowValues(values);
        EXPECT_EQ(values[1].View().i, 2);
        EXPECT_TRUE(values[2].null);

        q_.LinkRequery = true;
        EXPECT_EQ(link.LinkedStatement("SELECT * FROM line"),
                  "SELECT * FROM line WHERE `line`.`item_id` = '2'");
        EXPECT_EQ(link.RunStatement(), "SELECT * FROM line WHERE `line`.`item_id` = '2'");
        q_.LinkRequery = false;
        EXPECT_EQ(link.Note(), "");
    }
    EXPECT_EQ(q_.MasterSource(), nullptr);
    EXPECT_EQ(Column("no"), "1,2,3"); // the query's own link was never set
    master_.First();                  // the link is gone: nothing watches the master
}

// Filtered locally, a detail's pending changes stay pending while the master moves; run again
// per master row, they are written before the rows are read again.
TEST_F(MasterLinkTest, PendingDetailChangesStayOrAreWrittenWhenTheMasterMoves) {
    master_.Open();
    q_.CachedUpdates = true;
    q_.SetMasterSource(&master_);
    q_.SetLinkFields("item_id=id");
    for (const bool requery : {false, true}) {
        q_.LinkRequery = requery;
        Open("SELECT * FROM line ORDER BY no");
        master_.First();
        EXPECT_EQ(Column("no"), "1,3") << requery;
        ASSERT_TRUE(q_.Locate("no", {"3"}));
        EditRow({{"amount", requery ? "32" : "31"}});
        master_.Next();
        EXPECT_EQ(Column("no"), "2") << requery;
        EXPECT_EQ(q_.UpdatesPending(), !requery);
        EXPECT_EQ(Value("SELECT amount FROM line WHERE no = 3"), requery ? "32" : "30");
        master_.First();
        ASSERT_TRUE(q_.Locate("no", {"3"}));
        EXPECT_EQ(Text("amount"), requery ? "32" : "31");
        q_.ApplyUpdates();
        q_.CommitUpdates();
    }
    EXPECT_EQ(Value("SELECT amount FROM line WHERE no = 3"), "32");
}

TEST_F(MasterLinkTest, AMasterThatGoesAwayLeavesEveryRowShown) {
    auto master = std::make_unique<TMySQLQuery>();
    master->SetDatabase(&db_);
    master->SetSQLText("SELECT * FROM item WHERE id = 2");
    master->Open();
    q_.SetLinkFields("item_id=id");
    q_.SetMasterSource(master.get());
    Open("SELECT * FROM line ORDER BY no");
    EXPECT_EQ(Column("no"), "2");
    master.reset();
    EXPECT_EQ(q_.MasterSource(), nullptr);
    EXPECT_EQ(Column("no"), "1,2,3");
}

} // namespace
