// Filters, searches, Refresh and master/detail links of the query against the test server.
#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/client_library.h"
#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "support/error_of.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class SearchTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root_ = std::make_unique<testserver::RootConnection>();
        Use("CREATE TABLE item (id INT PRIMARY KEY, name VARCHAR(20), qty INT, price DECIMAL(8,2),"
            " sold DATETIME)");
        Use("INSERT INTO item VALUES (1, 'apple', 20, 9.00, '2001-05-17 00:00:00'),"
            " (2, 'Avocado', NULL, 12.50, '2001-05-17 13:45:00'), (3, 'banana', 20, 5.00, NULL),"
            " (4, 'apricot', 5, 100.00, '2002-01-01 00:00:00'), (5, 'Šljiva', 11, 1.00, NULL)");
        Connect(db_);
        q_.SetDatabase(&db_);
    }
    void TearDown() override {
        detail_.Close();
        q_.Close();
        db_.Disconnect();
    }
    void Connect(TMySQLDatabase& db) const {
        db.SetHost(testserver::kHost);
        db.SetLogin(testserver::kRootUser);
        db.SetPassword(testserver::kRootPassword);
        db.SetDatabase(Db());
    }
    void Exec(const std::string& sql) { root_->Exec(sql); }
    void Use(const std::string& sql) { Exec(std::string("USE ") + Db()), Exec(sql); }
    static void Open(TMySQLQuery& q, const std::string& sql) {
        q.SetSQLText(sql);
        q.Open();
    }
    // The values of one field over the visible rows, from the first.
    static std::string Column(TMySQLQuery& q, const char* field) {
        std::string out;
        for (q.First(); !q.Eof(); q.Next())
            out += (out.empty() ? "" : ",") + q.FieldByName(field).AsString();
        return out;
    }
    std::string Id() { return q_.FieldByName("id").AsString(); }

    std::unique_ptr<testserver::RootConnection> root_;
    TMySQLDatabase db_;
    TMySQLQuery q_;
    TMySQLQuery detail_;
};

TEST_F(SearchTest, FiltersSeeTypedValues) {
    Open(q_, "SELECT * FROM item");
    q_.SetFilter("QTY > 10 AND NAME LIKE 'a*'");
    q_.SetFiltered(true);
    EXPECT_EQ(Column(q_, "id"), "1");
    // Numbers compare as numbers (9 is not above 10), DECIMAL included.
    q_.SetFilter("PRICE > 10");
    EXPECT_EQ(Column(q_, "id"), "2,4");
    // The NULL of row 2 is an empty text, not row 1's value left over.
    q_.SetFilter("QTY > 10");
    EXPECT_EQ(Column(q_, "id"), "1,3,5");
    q_.SetFilter("QTY = ''");
    EXPECT_EQ(Column(q_, "id"), "2");
    // Dates by their shown text: midnight is left out.
    q_.SetFilter("SOLD = '2001-05-17' OR [sold] > '2001-12-31'");
    EXPECT_EQ(Column(q_, "id"), "1,4");
    q_.SetFilter("name like 'š*'");
    EXPECT_EQ(Column(q_, "id"), "5");
    EXPECT_EQ(q_.Filter(), "name like 'š*'");
}

TEST_F(SearchTest, FilteredRowsLeaveNoHolesInTheView) {
    Open(q_, "SELECT * FROM item");
    q_.SetFilter("QTY > 10");
    q_.SetFiltered(true);
    EXPECT_EQ(q_.ReadViewRowsUpTo(100), 3);
    EXPECT_EQ(q_.ViewRowToRecNo(1), 1);
    EXPECT_EQ(q_.ViewRowToRecNo(2), 3);
    EXPECT_EQ(q_.ViewRowToRecNo(3), 5);
    EXPECT_EQ(q_.RecNoToViewRow(2), 0); // hidden
    q_.SetFilter("QTY < 10");           // the NULL is an empty text, and '' < '10'
    EXPECT_EQ(q_.ReadViewRowsUpTo(100), 2);
    EXPECT_EQ(q_.ViewRowToRecNo(2), 4);
    q_.SetFiltered(false);
    EXPECT_EQ(q_.ReadViewRowsUpTo(100), 5);
}

TEST_F(SearchTest, FilterSwitchesAndFailures) {
    Open(q_, "SELECT * FROM item");
    q_.SetFilter("QTY >= 20");
    EXPECT_EQ(Column(q_, "id"), "1,2,3,4,5"); // not yet in effect
    ASSERT_TRUE(q_.Locate("id", {"4"}));
    q_.SetFiltered(true);
    EXPECT_EQ(Id(), "1"); // moves to the first row
    EXPECT_EQ(Column(q_, "id"), "1,3");
    q_.Last();
    q_.SetFiltered(false); // the current row stays current
    EXPECT_EQ(Id(), "3");
    q_.SetFiltered(true);

    // A text that does not compile, or names no field, leaves the filter as it was.
    EXPECT_EQ(ErrorOf([&] { q_.SetFilter("QTY >"); }), "Syntax error");
    EXPECT_EQ(ErrorOf([&] { q_.SetFilter("ITME = 'zzz'"); }), "Variable \"ITME\" not found");
    EXPECT_EQ(ErrorOf([&] { q_.SetFilter("[qty] > 1 OR [n ame] = 1"); }),
              "Variable \"N AME\" not found");
    EXPECT_EQ(q_.Filter(), "QTY >= 20");
    EXPECT_EQ(Column(q_, "id"), "1,3");
    EXPECT_EQ(q_.FirstFilterFault().recNo, 0);
    // A row the filter cannot judge is not shown, on the first row as on any other; the first
    // such row is kept.
    q_.SetFilter("100 / (QTY - 20) < 0");
    EXPECT_EQ(Column(q_, "id"), "2,4,5");
    EXPECT_EQ(q_.FirstFilterFault().recNo, 1);
    EXPECT_EQ(q_.FirstFilterFault().error, "Division by zero");
    q_.SetFilter("10 % (QTY - 5) = 0");
    EXPECT_EQ(Column(q_, "id"), "2");
    EXPECT_EQ(q_.FirstFilterFault().recNo, 4);
    q_.SetFilter("");
    EXPECT_EQ(Column(q_, "id"), "1,2,3,4,5");
    EXPECT_EQ(q_.FirstFilterFault().recNo, 0);
    // A number may begin with its full stop.
    q_.SetFilter("PRICE * .5 > 5");
    EXPECT_EQ(Column(q_, "id"), "2,4");
}

TEST_F(SearchTest, AFilterThatFailsOnLaterRowsNeverRaisesFromTheView) {
    std::string values;
    for (int i = 10; i < 310; ++i)
        values += (values.empty() ? "" : ",") + std::string("(") + std::to_string(i) + ",'n'," +
                  (i == 130   ? "0"
                   : i == 200 ? "NULL"
                              : "1") +
                  "," + (i == 250 ? "9223372036854775807" : "100") + ",NULL)";
    Use("CREATE TABLE big (id INT PRIMARY KEY, name VARCHAR(20), qty INT, price BIGINT,"
        " sold DATETIME)");
    Use("INSERT INTO big VALUES " + values);
    for (const bool store : {true, false}) {
        q_.Close();
        q_.StoreResult = store;
        Open(q_, "SELECT * FROM big ORDER BY id");
        // Row 121 divides by zero (and so does row 191, a NULL reading as 0), row 191 has a NULL
        // where AND needs a number, row 241 overflows.
        for (const auto& [filter, shown, fault, error] :
             {std::tuple{"PRICE / QTY > 50", 298, 121, "Division by zero"},
              std::tuple{"QTY AND 1", 298, 191, "Types mismatch"},
              std::tuple{"-(-PRICE - 1) > 0", 299, 241, "Integer overflow"}}) {
            q_.SetFilter(filter);
            q_.SetFiltered(true);
            EXPECT_EQ(q_.ReadViewRowsUpTo(1000), shown) << filter;
            EXPECT_EQ(q_.RecNoToViewRow(fault), 0) << filter;
            EXPECT_EQ(q_.FirstFilterFault().recNo, fault) << filter;
            EXPECT_EQ(q_.FirstFilterFault().error, error) << filter;
            q_.Last();
            EXPECT_EQ(Id(), "309");
            EXPECT_FALSE(q_.Locate("id", {std::to_string(fault + 9)}));
            q_.SetFiltered(false);
        }
    }
}

TEST_F(SearchTest, LocateComparesLikeValues) {
    Open(q_, "SELECT * FROM item");
    EXPECT_TRUE(q_.Locate("name", {"apr"}, loPartialKey));
    EXPECT_EQ(Id(), "4");
    EXPECT_TRUE(q_.Locate("name", {"AVOCADO"}, loCaseInsensitive));
    EXPECT_EQ(Id(), "2");
    EXPECT_TRUE(q_.Locate("name", {"šlj"}, loCaseInsensitive | loPartialKey));
    EXPECT_EQ(Id(), "5");
    EXPECT_FALSE(q_.Locate("name", {"avocado"}));
    EXPECT_EQ(Id(), "5"); // not found: stays
    EXPECT_TRUE(q_.Locate("sold", {"2001-05-17"}));
    EXPECT_EQ(Id(), "1");
    EXPECT_TRUE(q_.Locate("price", {"5"}));
    EXPECT_EQ(Id(), "3");
    EXPECT_TRUE(q_.Locate("qty; name", {"20", "banana"}));
    EXPECT_EQ(Id(), "3");
    EXPECT_TRUE(q_.Locate("0", {"2"})); // a field by its index
    EXPECT_EQ(Id(), "2");
    EXPECT_EQ(ErrorOf([&] {
                  q_.Locate("id, nothing", {"1", "2"});
              }),
              "Incorrect field name \"nothing\"");
    EXPECT_EQ(ErrorOf([&] { q_.Locate("id; name", {"1"}); }), "Incorrect arguments number");

    const auto found = q_.Lookup("price", {"100"}, "name, sold");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (std::vector<std::string>{"apricot", "2002-01-01"}));
    EXPECT_EQ(Id(), "2"); // Lookup does not move
    EXPECT_FALSE(q_.Lookup("price", {"100.01"}, "name"));
}

TEST_F(SearchTest, LocateReadsOnlyAsFarAsItNeeds) {
    std::string values;
    for (int i = 10; i < 600; ++i)
        values += (values.empty() ? "" : ",") + std::string("(") + std::to_string(i) + ",'n" +
                  std::to_string(i) + "',1,1,NULL)";
    Use("INSERT INTO item VALUES " + values);
    Open(q_, "SELECT * FROM item ORDER BY id");
    EXPECT_TRUE(q_.Locate("name", {"n20"}));
    EXPECT_FALSE(q_.AllFetched());
    EXPECT_LT(q_.CachedRowCount(), 30u);
    EXPECT_FALSE(q_.Locate("name", {"missing"}));
    EXPECT_TRUE(q_.AllFetched());
    EXPECT_EQ(q_.CachedRowCount(), 595u);
}

TEST_F(SearchTest, FindWithTheFilterWhetherOrNotFiltered) {
    Open(q_, "SELECT * FROM item");
    q_.SetFilter("NAME LIKE 'a*'");
    EXPECT_TRUE(q_.FindLast());
    EXPECT_EQ(Id(), "4");
    EXPECT_TRUE(q_.FindPrior());
    EXPECT_EQ(Id(), "2");
    EXPECT_TRUE(q_.FindFirst());
    EXPECT_EQ(Id(), "1");
    EXPECT_TRUE(q_.FindNext());
    EXPECT_EQ(Id(), "2");
    EXPECT_TRUE(q_.FindNext());
    EXPECT_EQ(Id(), "4");
    EXPECT_FALSE(q_.FindNext());
    EXPECT_EQ(Id(), "4");
    q_.SetFilter("NAME = 'none'");
    EXPECT_FALSE(q_.FindFirst());
}

TEST_F(SearchTest, RefreshShowsChangesAndKeepsTheRow) {
    Open(q_, "SELECT name, qty, id FROM item ORDER BY id");
    ASSERT_TRUE(q_.Locate("id", {"3"}));
    Use("UPDATE item SET qty = 99 WHERE id = 3");
    Use("INSERT INTO item VALUES (0, 'first', 1, 1, NULL)");
    q_.Refresh();
    EXPECT_EQ(Id(), "3");
    EXPECT_EQ(q_.FieldByName("qty").AsString(), "99");
    EXPECT_FALSE(q_.CurrentRowGone());
    EXPECT_EQ(Column(q_, "id"), "0,1,2,3,4,5");

    // Deleted by another connection: the row now at its place becomes current.
    ASSERT_TRUE(q_.Locate("id", {"3"}));
    Use("DELETE FROM item WHERE id = 3");
    q_.Refresh();
    EXPECT_TRUE(q_.CurrentRowGone());
    EXPECT_EQ(Id(), "4");
    ASSERT_TRUE(q_.Locate("id", {"5"}));
    Use("DELETE FROM item WHERE id = 5");
    q_.Refresh();
    EXPECT_EQ(Id(), "4"); // the last row gone: the one before it
}

TEST_F(SearchTest, RefreshOfATableWithoutAKeyFindsTheRowByAllItsFields) {
    Use("CREATE TABLE nokey (a INT, b VARCHAR(5))");
    Use("INSERT INTO nokey VALUES (1, 'x'), (1, 'y'), (2, 'y')");
    Open(q_, "SELECT * FROM nokey");
    ASSERT_TRUE(q_.Locate("a;b", {"1", "y"}));
    Use("INSERT INTO nokey VALUES (0, 'z')");
    q_.Refresh();
    EXPECT_EQ(q_.FieldByName("a").AsString() + q_.FieldByName("b").AsString(), "1y");
}

TEST_F(SearchTest, RefreshFindsTheRowByEverySelectedColumnWhenTheKeyIsPartlySelected) {
    Use("CREATE TABLE pk (a INT, b INT, c VARCHAR(5), PRIMARY KEY (a, b))");
    Use("INSERT INTO pk VALUES (1, 1, 'x'), (1, 2, 'y'), (1, 3, 'z'), (2, 1, 'x')");
    Open(q_, "SELECT a, c FROM pk ORDER BY b, a");
    ASSERT_TRUE(q_.Locate("a;c", {"1", "z"}));
    Use("INSERT INTO pk VALUES (1, 0, 'w')");
    q_.Refresh();
    EXPECT_FALSE(q_.CurrentRowGone());
    EXPECT_EQ(q_.FieldByName("a").AsString() + q_.FieldByName("c").AsString(), "1z");
    // The whole key selected: the key alone finds the row, whatever else changed.
    Open(q_, "SELECT c, b, a FROM pk ORDER BY b, a");
    ASSERT_TRUE(q_.Locate("c", {"y"}));
    Use("UPDATE pk SET c = 'v' WHERE a = 1 AND b = 2");
    Use("INSERT INTO pk VALUES (0, 0, 'y')");
    q_.Refresh();
    EXPECT_EQ(q_.FieldByName("a").AsString() + q_.FieldByName("b").AsString() +
                  q_.FieldByName("c").AsString(),
              "12v");
}

class LinkTest : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        Use("CREATE TABLE line (no INT PRIMARY KEY, item_id INT, amount INT, note VARCHAR(20))");
        Use("INSERT INTO line VALUES (1, 1, 10, 'a'), (2, 2, 20, 'b'), (3, 1, 30, 'c'),"
            " (4, 3, 40, 'd'), (5, 1, -5, 'e'), (6, NULL, 7, 'f')");
        Connect(detailDb_);
        detail_.SetDatabase(&detailDb_);
    }
    void TearDown() override {
        detail_.Close();
        detailDb_.Disconnect();
        SearchTest::TearDown();
    }
    // Opens the master, links the detail to it and opens the detail.
    void Link(const std::string& master, const std::string& pairs, bool requery,
              const std::string& detail) {
        Open(q_, master);
        detail_.SetLinkFields(pairs);
        detail_.SetMasterSource(&q_);
        detail_.LinkRequery = requery;
        Open(detail_, detail);
    }
    TMySQLDatabase detailDb_;
};

TEST_F(LinkTest, DetailRowsFollowTheMasterRow) {
    Link("SELECT * FROM item ORDER BY id", "item_id=id", false, "SELECT * FROM line ORDER BY no");
    EXPECT_EQ(Column(detail_, "no"), "1,3,5");
    q_.Next();
    EXPECT_EQ(Column(detail_, "no"), "2");
    EXPECT_EQ(detail_.ReadViewRowsUpTo(10), 1);
    q_.Last(); // item 5 has no lines
    EXPECT_EQ(Column(detail_, "no"), "");
    EXPECT_EQ(detail_.ReadViewRowsUpTo(10), 0);
    EXPECT_TRUE(detail_.IsEmpty());
    // The link switched off: every row.
    q_.Close();
    EXPECT_EQ(Column(detail_, "no"), "1,2,3,4,5,6");
}

TEST_F(LinkTest, RequeryPutsTheConditionIntoTheStatement) {
    Link("SELECT * FROM item ORDER BY id", "item_id=id", true,
         "SELECT item_id, COUNT(*) AS n, SUM(amount) AS total FROM line WHERE amount > 0 "
         "GROUP BY item_id HAVING COUNT(*) >= 1 ORDER BY item_id LIMIT 10");
    EXPECT_EQ(detail_.RunStatement(),
              "SELECT item_id, COUNT(*) AS n, SUM(amount) AS total FROM line WHERE (amount > 0) "
              "AND `line`.`item_id` = '1' GROUP BY item_id HAVING COUNT(*) >= 1 ORDER BY item_id "
              "LIMIT 10");
    EXPECT_EQ(Column(detail_, "total"), "40");
    q_.Next();
    EXPECT_EQ(Column(detail_, "total"), "20");
    q_.Last();
    EXPECT_EQ(Column(detail_, "total"), "");
}

TEST_F(LinkTest, RequeryPutsTheConditionBeforeAComment) {
    for (const char* comment : {" -- the order lines", " # the order lines", " /* WHERE 1 */"}) {
        detail_.Close();
        Link("SELECT * FROM item ORDER BY id", "item_id=id", true,
             std::string("SELECT no, item_id, note FROM line") + comment);
        EXPECT_EQ(detail_.RunStatement(),
                  std::string("SELECT no, item_id, note FROM line WHERE `line`.`item_id` = '1'") +
                      comment);
        EXPECT_EQ(Column(detail_, "no"), "1,3,5") << comment;
        q_.Next();
        EXPECT_EQ(Column(detail_, "no"), "2") << comment;
    }
}

TEST_F(LinkTest, RequeryWithAnAliasAndAnEmptyMaster) {
    Link("SELECT * FROM item WHERE id > 100", "item_id = [id]", true,
         "SELECT l.no, l.item_id FROM line l");
    EXPECT_EQ(detail_.RunStatement(),
              "SELECT l.no, l.item_id FROM line l WHERE `l`.`item_id` = NULL");
    EXPECT_TRUE(detail_.IsEmpty());
}

TEST_F(LinkTest, AMasterValueCannotChangeTheStatementInAnyMode) {
    Use("INSERT INTO item VALUES (7, 'O\"Brien\\\\', 1, 1, NULL), (8, 'it''s', 1, 1, NULL)");
    Use("INSERT INTO line VALUES (70, 7, 1, 'O\"Brien\\\\'), (80, 8, 1, 'it''s')");
    for (const char* mode : {"ANSI_QUOTES", "NO_BACKSLASH_ESCAPES", ""}) {
        detail_.Close();
        q_.Close();
        Open(q_, "SELECT * FROM item WHERE id >= 7 ORDER BY id");
        detailDb_.Connect();
        const std::string set = std::string("SET SESSION sql_mode = '") + mode + "'";
        ASSERT_EQ(
            Client().mysql_real_query(detailDb_.DirConnect().Handle(), set.data(), set.size()), 0);
        detail_.SetLinkFields("note=name");
        detail_.SetMasterSource(&q_);
        detail_.LinkRequery = true;
        Open(detail_, "SELECT no FROM line");
        EXPECT_EQ(Column(detail_, "no"), "70") << mode;
        q_.Next();
        EXPECT_EQ(Column(detail_, "no"), "80") << mode;
    }
}

TEST_F(LinkTest, AUnionIsFilteredLocally) {
    Link("SELECT * FROM item ORDER BY id", "item_id=id", true,
         "SELECT no, item_id FROM line WHERE no < 3 UNION SELECT no, item_id FROM line "
         "WHERE no >= 3");
    EXPECT_FALSE(detail_.LinkRequery);
    EXPECT_EQ(detail_.LinkNote(),
              "The detail statement combines several SELECTs (UNION); its rows are filtered "
              "locally");
    EXPECT_EQ(Column(detail_, "no"), "1,3,5");
}

TEST_F(LinkTest, NullMasterValuesMatchNothing) {
    Use("INSERT INTO item VALUES (9, NULL, NULL, 1, NULL)");
    Link("SELECT * FROM item WHERE id = 9", "item_id=qty", false, "SELECT * FROM line");
    EXPECT_TRUE(detail_.IsEmpty()); // line 6 has a NULL item_id too
}

TEST_F(LinkTest, LinkFaults) {
    EXPECT_EQ(ErrorOf([&] { detail_.SetLinkFields("item_id"); }), "Incorrect links define");
    EXPECT_EQ(ErrorOf([&] { detail_.SetMasterSource(&detail_); }), "Cyclic link in Dataset");
    TMySQLQuery third;
    detail_.SetMasterSource(&q_);
    third.SetMasterSource(&detail_);
    EXPECT_EQ(ErrorOf([&] { q_.SetMasterSource(&third); }), "Cyclic link in Dataset");
    third.SetMasterSource(nullptr);

    Open(q_, "SELECT * FROM item");
    detail_.SetLinkFields("item_id=nothing");
    EXPECT_EQ(ErrorOf([&] { Open(detail_, "SELECT * FROM line"); }),
              "Incorrect field name \"nothing\"");
    detail_.SetLinkFields("missing=id");
    EXPECT_EQ(ErrorOf([&] { Open(detail_, "SELECT * FROM line"); }),
              "Incorrect field name \"missing\"");
    EXPECT_FALSE(detail_.Active());
}

} // namespace
