// The analysis describes each column from the table the server reads it from: names keep their
// quoting, odd statements are scanned as the server scans them, and descriptions go to the result
// columns whose names they carry exactly.
#include "data_fixture.h"

#include "data/mysql_transact.h"

namespace {

class AnalysisTest : public DataFixture {
protected:
    AnalysisTest() : DataFixture(2) {}
    void SetUp() override {
        DataFixture::SetUp();
        transact_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
    }
    // Opens the statement for editing.
    void OpenLive(const std::string& sql) {
        q_.Close();
        q_.RequestLive = true;
        Open(sql);
    }
    std::string TableOf(std::size_t field) {
        const TMySQLField* d = q_.Description(q_.Field(field));
        return d ? d->Table : std::string();
    }

    TMySQLTransact transact_;
};

TEST_F(AnalysisTest, ABacktickNameWithAFullStopIsOneTable) {
    // Table y of the other database has an integer v; the table named "<other>.y" a text v.
    root_.Exec(std::string("CREATE TABLE ") + Db(1) + ".y (v INT)");
    root_.Exec(std::string("INSERT INTO ") + Db(1) + ".y VALUES (1)");
    Use(std::string("CREATE TABLE `") + Db(1) + ".y` (v VARCHAR(10))");
    Use(std::string("INSERT INTO `") + Db(1) + ".y` VALUES ('abc')");

    OpenLive(std::string("SELECT * FROM `") + Db(1) + ".y`");
    EXPECT_EQ(q_.Field(0).DataType(), FieldType::String);
    EXPECT_EQ(q_.Field(0).AsString(), "abc");
    EXPECT_EQ(TableOf(0), std::string("`") + Db(1) + ".y`");
    EXPECT_EQ(q_.Tables(), std::vector<std::string>{TableOf(0)});

    for (const std::string& name :
         {std::string(Db(1)) + ".y", std::string("`") + Db(1) + "`.`y`"}) {
        OpenLive("SELECT t.v FROM " + name + " AS t");
        EXPECT_EQ(q_.Field(0).DataType(), FieldType::Integer) << name;
        EXPECT_EQ(TableOf(0), std::string(Db(1)) + ".y") << name;
    }
}

TEST_F(AnalysisTest, ColumnsWhoseNamesDifferInCaseKeepTheirOwnDescriptions) {
    Use("CREATE TABLE a (ID INT PRIMARY KEY)");
    Use("CREATE TABLE b (id VARCHAR(10) PRIMARY KEY)");
    Use("INSERT INTO a VALUES (5)");
    Use("INSERT INTO b VALUES ('abc')");
    OpenLive("SELECT a.ID, b.id FROM a, b");
    ASSERT_EQ(q_.FieldCount(), 2u);
    EXPECT_EQ(q_.Field(0).FieldName(), "ID");
    EXPECT_EQ(q_.Field(1).FieldName(), "id");
    EXPECT_EQ(q_.Field(0).DataType(), FieldType::Integer);
    EXPECT_EQ(q_.Field(1).DataType(), FieldType::String);
    EXPECT_EQ(q_.Field(1).AsString(), "abc");
    EXPECT_EQ(TableOf(1), "b");
    // Ignoring case still finds a name that only one description has.
    OpenLive("SELECT ID FROM a");
    EXPECT_EQ(q_.Analysis().Find("id"), 0);
}

TEST_F(AnalysisTest, OddStatementsAreDescribedFromTheRightTable) {
    // x has an integer "name"; every statement below reads t, whose "name" is text.
    Use("CREATE TABLE x (name INT)");
    Use("CREATE TABLE t (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("INSERT INTO t VALUES (1, 'abc')");
    Use("CREATE TABLE my (name INT)");
    Use("CREATE TABLE my$table (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("INSERT INTO my$table VALUES (1, 'abc')");
    Use("CREATE TABLE $dollar (id INT PRIMARY KEY, name VARCHAR(10))");
    Use("CREATE TABLE full (id INT PRIMARY KEY, name VARCHAR(10))");
    const std::pair<const char*, const char*> cases[] = {
        {R"(SELECT 'C:\\' AS dir, name FROM t)", "t"},
        {"SELECT * /* FROM x */ FROM t", "t"},
        {"SELECT name FROM t -- x", "t"},
        {"SELECT name FROM t # x", "t"},
        {"SELECT name FROM t /* x */", "t"},
        {"select*from`t`", "t"},
        {"SELECT * FROM my$table", "my$table"},
        {"SELECT * FROM $dollar", "$dollar"},
        {"SELECT * FROM full", "full"},
    };
    for (const auto& [sql, table] : cases) {
        OpenLive(sql);
        const TField& name = q_.FieldByName("name");
        EXPECT_EQ(name.DataType(), FieldType::String) << sql;
        EXPECT_EQ(TableOf(name.Index()), table) << sql;
        EXPECT_TRUE(q_.CanModify()) << sql;
        if (q_.RecordCount() > 0) {
            EXPECT_EQ(name.AsString(), "abc") << sql;
        }
    }
}

} // namespace
