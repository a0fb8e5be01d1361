// The alias layer against the SQLite ODBC driver: the data source list, values as they are
// stored (64-bit integers, wide text, bytes in many parts, NULL), the row count counted as read,
// positions rather than names, and the driver's errors.
#include "odbc_sources.h"

#include "data/field.h"
#include "transfer/odbc_database.h"
#include "transfer/odbc_query.h"
#include "transfer/odbc_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace odbcsources;

namespace {

class OdbcLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reset(kUserSource);
        file_ = std::make_unique<SqliteFile>(FileOf(kUserSource));
        database_.AliasName = kUserSource;
        query_.SetDatabase(&database_);
    }
    void Open(const std::string& sql) {
        query_.Close();
        query_.SQL = {sql};
        query_.Open();
    }
    std::unique_ptr<SqliteFile> file_;
    TOdbcDatabase database_;
    TOdbcQuery query_;
};

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7) % 256); // NUL bytes every 256
    return bytes;
}

} // namespace

TEST(OdbcSessionTest, AliasListHoldsUserAndSystemDataSources) {
    FileOf(kUserSource); // defines the data sources
    TOdbcSession session;
    const std::vector<std::string> names = session.AliasNames();
    EXPECT_NE(std::find(names.begin(), names.end(), kUserSource), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), kSystemSource), names.end());
}

TEST_F(OdbcLayerTest, ValuesArriveAsStored) {
    file_->Exec("CREATE TABLE t (id INTEGER, big BIGINT, price DECIMAL(12,2), born DATE, "
                "name VARCHAR(40), note TEXT, data BLOB)");
    const std::string text = "O'Brien \\ \"čćžšđ ČĆŽŠĐ\" 🦅\nnext line\r\nlast";
    const std::string longText(1 << 20, 'x');
    const std::string blob = Pattern(70000);
    file_->InsertRows("INSERT INTO t VALUES (?,?,?,?,?,?,?)",
                      {{Int(1), Int(INT64_MAX), Text("12345.67"), Text("2024-02-29"), Text(text),
                        Text(longText + "🦅"), Bytes(blob)},
                       {Int(2), Int(INT64_MIN), Null(), Null(), Null(), Null(), Null()},
                       {Int(3), Int(9007199254740993), Text("-0.05"), Text("1999-12-31"), Text(""),
                        Text(""), Bytes(std::string())}});
    Open("SELECT id, big, price, born, name, note, data FROM t ORDER BY id");

    ASSERT_EQ(query_.FieldCount(), 7u);
    EXPECT_EQ(query_.RecordCount(), 3); // counted, not the driver's answer
    EXPECT_EQ(query_.FieldByName("big").DataType(), FieldType::Integer);
    EXPECT_EQ(query_.FieldByName("data").DataType(), FieldType::Blob);

    query_.First();
    EXPECT_EQ(query_.FieldByName("big").AsInteger(), INT64_MAX);
    EXPECT_EQ(query_.FieldByName("price").ValueText(), "12345.67");
    EXPECT_EQ(query_.FieldByName("born").ValueText(), "2024-02-29");
    EXPECT_EQ(query_.FieldByName("name").ValueText(), text);
    EXPECT_EQ(query_.FieldByName("note").ValueText(), longText + "🦅");
    EXPECT_EQ(query_.FieldByName("data").ValueText(), blob); // bytes, not hex, all parts

    query_.Next();
    EXPECT_EQ(query_.FieldByName("big").AsInteger(), INT64_MIN);
    for (const char* name : {"price", "born", "name", "note", "data"})
        EXPECT_TRUE(query_.FieldByName(name).IsNull()) << name;

    query_.Next();
    EXPECT_EQ(query_.FieldByName("big").AsInteger(), 9007199254740993);
    EXPECT_FALSE(query_.FieldByName("name").IsNull()); // empty is not NULL
    EXPECT_EQ(query_.FieldByName("name").ValueText(), "");
    EXPECT_FALSE(query_.FieldByName("data").IsNull());

    query_.Next();
    EXPECT_TRUE(query_.Eof());
}

TEST_F(OdbcLayerTest, EmptyResultAndManyColumnsAndRepeatedNames) {
    file_->Exec("CREATE TABLE t (a INTEGER, b INTEGER)");
    Open("SELECT a, b FROM t");
    EXPECT_EQ(query_.RecordCount(), 0);
    EXPECT_TRUE(query_.Eof());

    file_->Exec("INSERT INTO t VALUES (1, 2)");
    Open("SELECT a AS x, b AS x FROM t"); // two columns of one name stay two columns
    ASSERT_EQ(query_.FieldCount(), 2u);
    EXPECT_EQ(query_.Field(0).AsInteger(), 1);
    EXPECT_EQ(query_.Field(1).AsInteger(), 2);

    std::string select = "SELECT ";
    for (int i = 1; i <= 300; ++i)
        select += (i > 1 ? ", " : "") + std::to_string(i) + " AS c" + std::to_string(i);
    Open(select); // more columns than an 8-bit counter holds
    ASSERT_EQ(query_.FieldCount(), 300u);
    EXPECT_EQ(query_.Field(299).AsInteger(), 300);

    // Statement lines are joined, however many there are.
    query_.Close();
    query_.SQL.assign(299, "");
    query_.SQL.front() = "SELECT a";
    query_.SQL.push_back("FROM t");
    query_.Open();
    EXPECT_EQ(query_.RecordCount(), 1);
}

TEST_F(OdbcLayerTest, FailuresCarryTheDriversText) {
    TOdbcDatabase missing;
    missing.AliasName = "kt_transfer_no_such_source";
    try {
        missing.Open();
        FAIL() << "an unknown data source opened";
    } catch (const EOdbcError& e) {
        EXPECT_NE(std::string(e.what()).find("IM002"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(missing.Connected());

    try {
        Open("SELECT * FROM kt_transfer_missing_table");
        FAIL() << "a missing table answered";
    } catch (const EOdbcError& e) {
        EXPECT_NE(std::string(e.what()).find("kt_transfer_missing_table"), std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(query_.Active());
    EXPECT_TRUE(database_.Connected()); // the query opened its database first

    // The connection is usable again after the failure, and closing it ends the query's reach.
    file_->Exec("CREATE TABLE t (a INTEGER)");
    Open("SELECT a FROM t");
    EXPECT_TRUE(query_.Active());
    query_.Close();
    database_.Close();
    EXPECT_FALSE(database_.Connected());
}
