#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"
#include "support/error_of.h"

#include <gtest/gtest.h>

namespace {

class QueryTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root_ = std::make_unique<testserver::RootConnection>();
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(Db());
        q_.SetDatabase(&db_);
        transact_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
    }
    void TearDown() override {
        q_.AfterScroll = nullptr; // a test's handler may refer to what it has left
        q_.Close();
        db_.Disconnect();
    }
    void Exec(const std::string& sql) { root_->Exec(sql); }
    void Use(const std::string& sql) { Exec(std::string("USE ") + Db()), Exec(sql); }
    void Open(const std::string& sql) {
        q_.SetSQLText(sql);
        q_.Open();
    }
    std::string Text(const char* name) { return q_.FieldByName(name).AsString(); }

    std::unique_ptr<testserver::RootConnection> root_;
    TMySQLDatabase db_;
    TMySQLTransact transact_;
    TMySQLQuery q_;
};

TEST_F(QueryTest, RepeatedColumnNamesMapAcrossAJoin) {
    Use("CREATE TABLE a (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("CREATE TABLE b (id BIGINT PRIMARY KEY, a_id INT)");
    Use("INSERT INTO a VALUES (1, 'one'), (2, 'two')");
    Use("INSERT INTO b VALUES (5000000000, 2)");
    q_.RequestLive = true;
    Open("SELECT a.id, b.id, a.name FROM a, b WHERE b.a_id = a.id");
    ASSERT_EQ(q_.FieldCount(), 3u);
    EXPECT_EQ(q_.Field(0).FieldName(), "id");
    EXPECT_EQ(q_.Field(1).FieldName(), "id_1");
    EXPECT_EQ(q_.Description(q_.Field(0))->Table, "a");
    EXPECT_EQ(q_.Description(q_.Field(1))->Table, "b");
    EXPECT_EQ(q_.Description(q_.Field(1))->KeyKind, 1);
    EXPECT_EQ(q_.Field(1).DataType(), FieldType::Integer);
    EXPECT_EQ(Text("id"), "2");
    EXPECT_EQ(Text("id_1"), "5000000000"); // beyond 32 bits, kept
    EXPECT_EQ(Text("name"), "two");
    EXPECT_TRUE(q_.RequestLive);
    EXPECT_TRUE(q_.CanModify());

    // Aliases written with and without AS, and the tables listed either way.
    q_.Close();
    Open("SELECT x.name AS n, y.a_id FROM a x JOIN b y ON y.a_id = x.id");
    EXPECT_EQ(q_.Tables(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(q_.Aliases(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(q_.Description(q_.FieldByName("n"))->Column, "name");
    EXPECT_EQ(q_.FieldByName("a_id").DataType(), FieldType::Integer);
}

TEST_F(QueryTest, StatementsThatCannotBeEditedOpenReadOnly) {
    Use("CREATE TABLE longer_table_name (id INT)");
    Use("INSERT INTO longer_table_name VALUES (1), (2), (3)");
    q_.RequestLive = true;
    Open("SHOW TABLES");
    EXPECT_FALSE(q_.RequestLive);
    EXPECT_TRUE(q_.ReadOnly());
    ASSERT_EQ(q_.FieldCount(), 1u);
    EXPECT_EQ(q_.Field(0).DataType(), FieldType::String);
    EXPECT_GE(q_.Field(0).Size(), 17); // the column's declared width, at least the longest name
    EXPECT_EQ(q_.Field(0).AsString(), "longer_table_name");
    EXPECT_EQ(ErrorOf([&] { q_.Edit(); }), "Cannot modify a read-only dataset");

    q_.Close();
    q_.RequestLive = true;
    Open("SELECT COUNT(*), MAX(id) AS top FROM longer_table_name");
    EXPECT_FALSE(q_.RequestLive); // aggregated rows are not rows of the table
    EXPECT_EQ(q_.Field(0).FieldName(), "COUNT(*)");
    EXPECT_EQ(q_.Field(0).DataType(), FieldType::String);
    EXPECT_EQ(q_.Field(0).Size(), 21);
    EXPECT_EQ(q_.Field(0).AsString(), "3");
    EXPECT_EQ(q_.Description(q_.Field(1)), nullptr); // an expression is not the column
    EXPECT_TRUE(q_.Analysis().StatementsRun().size() <= 1);
}

TEST_F(QueryTest, OpenFailuresAndTheirTexts) {
    TMySQLQuery lone;
    lone.SetSQLText("SELECT 1");
    EXPECT_EQ(ErrorOf([&] { lone.Open(); }), "Component Connection not defined");
    EXPECT_FALSE(lone.Active());

    TMySQLDatabase bad;
    bad.SetHost(testserver::kHost);
    bad.SetLogin("nobody");
    lone.SetDatabase(&bad);
    EXPECT_EQ(ErrorOf([&] { lone.Open(); }), "Connect to server error");

    // A live result needs the transaction component that writes its rows back.
    lone.SetDatabase(&db_);
    lone.RequestLive = true;
    EXPECT_EQ(ErrorOf([&] { lone.Open(); }), "Component Transaction not defined");
    EXPECT_FALSE(lone.Active());
    lone.RequestLive = false;
    lone.Open();
    EXPECT_TRUE(lone.Active());
    lone.Close();

    EXPECT_NE(ErrorOf([&] { Open("SELECT * FROM missing"); }).find("doesn't exist"),
              std::string::npos);
    EXPECT_FALSE(q_.Active());
    EXPECT_EQ(ErrorOf([&] { Open("SET @x = 1"); }), "The statement returned no result set");
    EXPECT_FALSE(q_.Active());
    Open("SELECT 1 AS one");
    EXPECT_EQ(Text("one"), "1");
    q_.SetSQLText("SELECT 2");
    EXPECT_FALSE(q_.Active()); // writing the statement closes
}

// A statement that ran without a result set says so, with its affected rows, so that a caller
// does not send it again; a statement that failed at the server does not.
TEST_F(QueryTest, StatementsWithoutAResultSetAreToldApartFromFailures) {
    Use("CREATE TABLE t (id INT)");
    Use("INSERT INTO t VALUES (1), (2), (3)");
    auto affectedBy = [&](const std::string& sql) -> long long {
        try {
            Open(sql);
        } catch (const ENoResultSet& e) {
            EXPECT_STREQ(e.what(), "The statement returned no result set");
            return static_cast<long long>(e.AffectedRows());
        } catch (const EDatabaseError&) {
            return -1;
        }
        return -2;
    };
    EXPECT_EQ(affectedBy("UPDATE t SET id = id + 10 WHERE id > 1"), 2);
    EXPECT_EQ(affectedBy("INSERT INTO t VALUES (7)"), 1);
    EXPECT_EQ(affectedBy("CREATE TABLE u (x INT)"), 0);
    EXPECT_EQ(affectedBy("INSERT INTO missing VALUES (1)"), -1);
    EXPECT_EQ(affectedBy("SELEC 1"), -1);
    EXPECT_EQ(affectedBy("SELECT * FROM t WHERE id < 0"), -2); // an empty result is a result
    EXPECT_EQ(root_->Value(std::string("SELECT COUNT(*) FROM ") + Db() + ".t"), "4");
}

TEST_F(QueryTest, TypesValuesAndDisplay) {
    Use("CREATE TABLE ty (i INT PRIMARY KEY AUTO_INCREMENT, y YEAR, d DOUBLE, f FLOAT, "
        "n DECIMAL(30,10), c CHAR(4) NOT NULL DEFAULT 'ab', v VARCHAR(30), dt DATE, "
        "ts DATETIME, ts6 DATETIME(6), tm TIME, tmf TIME(3), bl BLOB, tx TEXT, "
        "yn ENUM('N','Y'), en ENUM('a','bb','ccc'), u BIGINT UNSIGNED, stamp TIMESTAMP NULL)");
    Use("INSERT INTO ty VALUES (NULL, 2001, 0.1, 1.5, '12345678901234567890.0123456789', 'x', "
        "'vv', '2001-05-17', '2001-05-17 00:00:00', '2001-05-17 13:45:00.123456', '00:00:00', "
        "'-838:59:59.000', 'b\\0lob', 'text', 'Y', 'bb', 18446744073709551615, NULL)");
    Use("INSERT INTO ty (dt, ts, tm, yn, en) VALUES ('0000-00-00', '2001-05-17 13:45:00', "
        "'13:45:00', 'N', 'ccc')");
    q_.QueryAllRecords = true;
    q_.RequestLive = true;
    Open("SELECT * FROM ty ORDER BY i");
    struct Expect {
        const char* name;
        FieldType type;
        std::int64_t size;
        const char* shown;
    } expect[] = {
        {"i", FieldType::Integer, 0, "1"},
        {"y", FieldType::Integer, 0, "2001"},
        {"d", FieldType::Float, 0, "0.1"},
        {"f", FieldType::Float, 0, "1.5"},
        {"n", FieldType::Decimal, 0, "12345678901234567890.0123456789"},
        {"c", FieldType::String, 4, "x"},
        {"v", FieldType::String, 30, "vv"},
        {"dt", FieldType::Date, 0, "2001-05-17"},
        {"ts", FieldType::DateTime, 0, "2001-05-17"},
        {"ts6", FieldType::DateTime, 0, "2001-05-17 13:45:00.123456"},
        {"tm", FieldType::Time, 0, ""},
        {"tmf", FieldType::Time, 0, "-838:59:59.000"},
        {"bl", FieldType::Blob, 0, ""},
        {"tx", FieldType::Memo, 0, "text"},
        {"yn", FieldType::Boolean, 0, "Y"},
        {"en", FieldType::String, 3, "bb"},
        {"u", FieldType::Integer, 0, "18446744073709551615"},
        {"stamp", FieldType::String, 50, ""},
    };
    for (const Expect& e : expect) {
        const TField& f = q_.FieldByName(e.name);
        EXPECT_EQ(f.DataType(), e.type) << e.name;
        EXPECT_EQ(f.Size(), e.size) << e.name;
        if (e.type != FieldType::Blob) {
            EXPECT_EQ(f.AsString(), e.shown) << e.name;
        }
    }
    EXPECT_EQ(q_.FieldByName("bl").ValueText(), std::string("b\0lob", 5)); // NUL bytes kept
    EXPECT_TRUE(q_.FieldByName("stamp").IsNull());
    EXPECT_EQ(q_.FieldByName("c").DefaultExpression, "ab");
    EXPECT_EQ(q_.FieldByName("i").DefaultExpression, "0");
    EXPECT_EQ(q_.Description(q_.FieldByName("i"))->AutoKind, 1);
    EXPECT_EQ(q_.Description(q_.FieldByName("c"))->Nullable, 0);
    EXPECT_EQ(q_.Description(q_.FieldByName("v"))->Nullable, 1);

    // Values keep what the server sent: read, written as text, compared unchanged.
    for (const char* name : {"u", "n", "ts6"}) {
        const TField& f = q_.FieldByName(name);
        const std::string exact =
            root_->Value(std::string("SELECT ") + name + " FROM " + Db() + ".ty WHERE i = 1");
        EXPECT_EQ(f.ValueText(), exact) << name;
        EXPECT_EQ(f.CompareWithText(exact), 0) << name;
    }
    EXPECT_EQ(q_.FieldByName("u").AsUnsigned(), 18446744073709551615u);
    EXPECT_GT(q_.FieldByName("n").CompareWithText("12345678901234567890.0123456788"), 0);

    q_.Next();
    EXPECT_EQ(Text("dt"), "");
    EXPECT_EQ(Text("ts"), "2001-05-17 13:45:00");
    EXPECT_EQ(Text("tm"), "13:45:00");
    EXPECT_EQ(Text("yn"), "N");
    EXPECT_FALSE(q_.FieldByName("yn").AsBoolean());
    EXPECT_TRUE(q_.FieldByName("n").IsNull());
    EXPECT_EQ(Text("n"), "");
}

TEST_F(QueryTest, TablesWithTypesOutsideTheTableStillOpen) {
    Use("CREATE TABLE odd (id INT PRIMARY KEY, s SET('a','bb','c'), b BIT(12), "
        "vb VARBINARY(8), u UUID, p POINT, name VARCHAR(5))");
    Use("INSERT INTO odd VALUES (1, 'a,c', b'101', 'xy', "
        "'123e4567-e89b-12d3-a456-426614174000', POINT(1,2), 'nm')");
    q_.RequestLive = true;
    Open("SELECT * FROM odd");
    EXPECT_TRUE(q_.CanModify());
    EXPECT_EQ(q_.FieldByName("s").DataType(), FieldType::String);
    EXPECT_EQ(q_.FieldByName("s").Size(), 6);
    EXPECT_EQ(Text("s"), "a,c");
    EXPECT_EQ(q_.FieldByName("b").DataType(), FieldType::Blob);
    EXPECT_EQ(q_.FieldByName("b").ValueText(), std::string("\0\5", 2));
    EXPECT_EQ(q_.FieldByName("vb").DataType(), FieldType::Blob);
    EXPECT_EQ(Text("u"), "123e4567-e89b-12d3-a456-426614174000");
    EXPECT_EQ(q_.FieldByName("p").DataType(), FieldType::Blob);
    EXPECT_EQ(Text("name"), "nm");
}

TEST_F(QueryTest, AliasedStarAndBacktickNames) {
    Use("CREATE TABLE `odd name` (`the id` INT PRIMARY KEY, `v``q` VARCHAR(7))");
    Use("INSERT INTO `odd name` VALUES (7, 'seven')");
    Open("SELECT x.* FROM `odd name` AS x");
    ASSERT_EQ(q_.FieldCount(), 2u);
    EXPECT_EQ(q_.Tables(), (std::vector<std::string>{"`odd name`"}));
    EXPECT_EQ(q_.Field(0).DataType(), FieldType::Integer);
    EXPECT_EQ(q_.Description(q_.Field(0))->Table, "`odd name`");
    EXPECT_EQ(q_.Field(1).FieldName(), "v`q");
    EXPECT_EQ(q_.Field(1).Size(), 7);
    q_.Close();
    Open("SELECT `the id`, x.`v``q` FROM `odd name` x");
    EXPECT_EQ(q_.Field(0).DataType(), FieldType::Integer);
    EXPECT_EQ(q_.Description(q_.Field(1))->Column, "v`q");
}

TEST_F(QueryTest, FetchOnDemandCachesOnlyWhatIsVisited) {
    Use("CREATE TABLE many (id INT PRIMARY KEY)");
    Use("INSERT INTO many SELECT seq FROM seq_1_to_10000");
    for (bool store : {true, false}) {
        SCOPED_TRACE(store ? "store" : "row by row");
        q_.StoreResult = store;
        Open("SELECT id FROM many ORDER BY id");
        EXPECT_EQ(q_.CachedRowCount(), 0u);
        EXPECT_FALSE(q_.Eof());
        EXPECT_EQ(q_.RecNo(), 1);
        EXPECT_EQ(q_.RecordCount(), store ? 10000 : 1);
        EXPECT_EQ(Text("id"), "1");
        for (int i = 0; i < 9; ++i)
            q_.Next();
        EXPECT_EQ(q_.CachedRowCount(), 10u);
        EXPECT_EQ(q_.RecNo(), 10);
        const Bookmark mark = q_.GetBookmark();
        q_.SetRecNo(500);
        EXPECT_EQ(q_.CachedRowCount(), 500u);
        EXPECT_EQ(Text("id"), "500");
        q_.Last();
        EXPECT_TRUE(q_.Eof());
        EXPECT_EQ(q_.CachedRowCount(), 10000u);
        EXPECT_EQ(q_.RecordCount(), 10000);
        EXPECT_EQ(Text("id"), "10000");
        q_.Next();
        EXPECT_TRUE(q_.Eof());
        q_.GotoBookmark(mark);
        EXPECT_EQ(Text("id"), "10");
        EXPECT_EQ(ErrorOf([&] { q_.GotoBookmark(20000); }), "Bookmark not found");
        q_.First();
        q_.Prior();
        EXPECT_TRUE(q_.Bof());
        EXPECT_EQ(Text("id"), "1");
        q_.Close();
        EXPECT_EQ(q_.CachedRowCount(), 0u);
    }
    // The database's connection is free for other statements while rows are read row by row.
    q_.StoreResult = false;
    Open("SELECT id FROM many");
    EXPECT_EQ(db_.SelectValue("COUNT(*) FROM many"), "10000");
}

TEST_F(QueryTest, EmptyResult) {
    Use("CREATE TABLE none (id INT)");
    for (bool all : {false, true}) {
        q_.QueryAllRecords = all;
        Open("SELECT * FROM none");
        EXPECT_TRUE(q_.IsEmpty());
        EXPECT_EQ(q_.RecordCount(), 0);
        EXPECT_EQ(q_.RecNo(), 0);
        EXPECT_TRUE(q_.FieldByName("id").IsNull());
        EXPECT_EQ(ErrorOf([&] { q_.GetBookmark(); }), "Больше нет записей.");
        q_.Close();
    }
}

// Records what a dataset tells its views; stops watching when it goes, also when a test ends
// early.
class Recorder : public DataSetObserver {
public:
    explicit Recorder(TDataSet& dataSet) : dataSet_(dataSet) { dataSet_.AddObserver(this); }
    ~Recorder() override { dataSet_.RemoveObserver(this); }
    void DataSetEvent(TDataSet&, DataEvent event, TField* field) override {
        events.push_back(event);
        if (field)
            fields.push_back(field->FieldName());
    }
    std::vector<DataEvent> events;
    std::vector<std::string> fields;

private:
    TDataSet& dataSet_;
};

TEST_F(QueryTest, EditStateMachineKeepsTheEditWhenItCannotBeWritten) {
    Use("CREATE TABLE ed (id INT PRIMARY KEY, s VARCHAR(10))");
    Use("INSERT INTO ed VALUES (1, 'one'), (2, 'two')");
    Recorder rec(q_);
    int scrolls = 0;
    q_.AfterScroll = [&](TDataSet&) { ++scrolls; };
    q_.RequestLive = true;
    Open("SELECT * FROM ed ORDER BY id");
    EXPECT_EQ(rec.events.front(), DataEvent::ActiveChanged);
    EXPECT_EQ(scrolls, 1);

    q_.Edit();
    EXPECT_EQ(q_.State(), DataSetState::Edit);
    q_.FieldByName("s").SetAsString("uno");
    EXPECT_TRUE(q_.Modified());
    EXPECT_EQ(rec.fields, (std::vector<std::string>{"s"}));
    q_.FieldByName("id").SetAsString("2"); // the key of the other row: the server refuses it
    const std::string error = ErrorOf([&] { q_.Post(); });
    EXPECT_NE(error.find("Duplicate"), std::string::npos) << error;
    EXPECT_EQ(q_.State(), DataSetState::Edit); // nothing lost
    EXPECT_EQ(Text("s"), "uno");
    EXPECT_NE(ErrorOf([&] { q_.Next(); }), "(no error)"); // moving would post: it fails too
    EXPECT_EQ(Text("s"), "uno");
    q_.Cancel();
    EXPECT_EQ(q_.State(), DataSetState::Browse);
    EXPECT_EQ(Text("s"), "one");

    q_.Append();
    EXPECT_EQ(q_.State(), DataSetState::Insert);
    EXPECT_TRUE(q_.FieldByName("s").IsNull());
    q_.FieldByName("id").SetAsString("3");
    EXPECT_EQ(q_.FieldByName("id").AsInteger(), 3);
    q_.Cancel();
    EXPECT_EQ(Text("id"), "2"); // Append moved to the last row
    EXPECT_EQ(ErrorOf([&] { q_.FieldByName("s").SetAsString("x"); }),
              "Dataset not in edit or insert mode");
    // A row another connection deleted cannot be deleted again: that is said, not taken as done.
    Use("DELETE FROM ed WHERE id = 2");
    EXPECT_EQ(ErrorOf([&] { q_.Delete(); }),
              "The row was changed or deleted by another user; nothing was written");
    EXPECT_EQ(q_.RecordCount(), 2);
    EXPECT_EQ(root_->Value(std::string("SELECT s FROM ") + Db() + ".ed WHERE id = 1"), "one");

    q_.Close();
    EXPECT_EQ(rec.events.back(), DataEvent::ActiveChanged);
}

} // namespace
