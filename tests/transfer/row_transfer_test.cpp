// Copying rows from a SQLite data source into a MySQL table through the live query: values as
// they are, the column-count guard, a failure in the middle, numbers refused when they are not,
// columns by position, and stopping on request.
#include "transfer_fixture.h"

#include "transfer/row_transfer.h"

#include <cstdio>

using namespace odbcsources;

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string Blob(std::size_t size, int seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed)) % 256);
    return bytes;
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST_F(TransferTest, EmptySourceCopiesNothing) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, name TEXT)");
    root_->Exec("CREATE TABLE kt_transfer_empty (id INT PRIMARY KEY, name VARCHAR(20))");
    OpenBoth("SELECT id, name FROM s", "SELECT id, name FROM kt_transfer_empty");
    const TransferResult result = TransferRows(source_, destination_);
    EXPECT_EQ(result.copied, 0);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(root_->Value("SELECT COUNT(*) FROM kt_transfer_empty"), "0");
}

TEST_F(TransferTest, MixedRowsArriveIdentical) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, big BIGINT, price DECIMAL(14,2), born DATE, "
                  "ratio DOUBLE, name VARCHAR(200), note TEXT, data BLOB)");
    root_->Exec("CREATE TABLE kt_transfer_mixed (id INT PRIMARY KEY, big BIGINT, "
                "price DECIMAL(14,2), born DATE, ratio DOUBLE, name VARCHAR(200), note LONGTEXT, "
                "data LONGBLOB) CHARACTER SET utf8mb4");
    const std::string megabyte(1 << 20, 'm');
    struct Expected {
        std::string big, price, born, ratio, name, note, data; // "NULL" for NULL
    };
    std::vector<Expected> expected;
    std::vector<std::vector<SqliteFile::Param>> rows;
    for (int i = 1; i <= 1000; ++i) {
        const bool nulls = i % 7 == 0;
        const std::int64_t big = i % 2 ? INT64_MAX - i : INT64_MIN + i;
        char price[32], born[16];
        std::snprintf(price, sizeof price, "%d.%02d", i * 1000, i % 100);
        std::snprintf(born, sizeof born, "20%02d-%02d-%02d", i % 100, i % 12 + 1, i % 28 + 1);
        const double ratio = i / 4.0;
        const std::string name =
            "O'Neil \\ \"" + std::to_string(i) + "\"\nčćžšđ ČĆŽŠĐ 🦅";
        const std::string note = i == 1 ? megabyte : "line\rmiddle\nnext " + std::to_string(i);
        const std::string data = i == 2 ? Blob(100000, i) : Blob(static_cast<std::size_t>(i), i);
        char ratioText[32];
        std::snprintf(ratioText, sizeof ratioText, "%g", ratio);
        if (nulls) {
            rows.push_back({Int(i), Int(big), Null(), Null(), Null(), Null(), Null(), Null()});
            expected.push_back(
                {std::to_string(big), "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"});
        } else {
            rows.push_back({Int(i), Int(big), Text(price), Text(born), Real(ratio), Text(name),
                            Text(note), Bytes(data)});
            expected.push_back(
                {std::to_string(big), price, born, ratioText, Hex(name), Hex(note), Hex(data)});
        }
    }
    sqlite_->InsertRows("INSERT INTO s VALUES (?,?,?,?,?,?,?,?)", rows);
    OpenBoth("SELECT id, big, price, born, ratio, name, note, data FROM s ORDER BY id",
             "SELECT id, big, price, born, ratio, name, note, data FROM kt_transfer_mixed");

    const TransferResult result = TransferRows(source_, destination_);
    EXPECT_EQ(result.copied, 1000);

    const auto stored = root_->Rows(
        "SELECT id, big, IFNULL(price,'NULL'), IFNULL(born,'NULL'), IFNULL(ratio,'NULL'), "
        "IFNULL(HEX(name),'NULL'), IFNULL(HEX(note),'NULL'), IFNULL(HEX(data),'NULL') "
        "FROM kt_transfer_mixed ORDER BY id");
    ASSERT_EQ(stored.size(), 1000u);
    for (std::size_t r = 0; r < stored.size(); ++r) {
        const Expected& e = expected[r];
        const std::vector<std::string> want = {
            std::to_string(r + 1), e.big, e.price, e.born, e.ratio, e.name, e.note, e.data};
        for (std::size_t c = 0; c < want.size(); ++c)
            ASSERT_EQ(stored[r][c], want[c]) << "row " << r + 1 << " column " << c;
    }
}

TEST_F(TransferTest, WiderSourceIsRefusedBeforeCopying) {
    sqlite_->Exec("CREATE TABLE s (a INTEGER, b INTEGER, c INTEGER)");
    sqlite_->Exec("INSERT INTO s VALUES (1, 2, 3)");
    root_->Exec("CREATE TABLE kt_transfer_narrow (a INT, b INT)");
    OpenBoth("SELECT a, b, c FROM s", "SELECT a, b FROM kt_transfer_narrow");
    try {
        TransferRows(source_, destination_);
        FAIL() << "a wider source was copied";
    } catch (const ETransferColumns& e) {
        EXPECT_EQ(e.SourceColumns(), 3u);
        EXPECT_EQ(e.DestinationColumns(), 2u);
    }
    EXPECT_EQ(destination_.State(), DataSetState::Browse);
    EXPECT_EQ(root_->Value("SELECT COUNT(*) FROM kt_transfer_narrow"), "0");
}

TEST_F(TransferTest, FailedRowKeepsTheRowsBeforeItAndLeavesNoPendingInsert) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, name TEXT)");
    std::vector<std::vector<SqliteFile::Param>> rows;
    for (int i = 1; i <= 1000; ++i)
        rows.push_back({Int(i), Text("row " + std::to_string(i))});
    sqlite_->InsertRows("INSERT INTO s VALUES (?,?)", rows);
    root_->Exec("CREATE TABLE kt_transfer_keyed (id INT PRIMARY KEY, name VARCHAR(20))");
    root_->Exec("INSERT INTO kt_transfer_keyed VALUES (501, 'already here')");
    OpenBoth("SELECT id, name FROM s ORDER BY id", "SELECT id, name FROM kt_transfer_keyed");
    try {
        TransferRows(source_, destination_);
        FAIL() << "a duplicate key was copied";
    } catch (const ETransferFailed& e) {
        EXPECT_EQ(e.Copied(), 500);
        EXPECT_NE(std::string(e.what()).find("501"), std::string::npos) << e.what();
        // The cause is kept: a duplicate key, not a lost connection.
        EXPECT_TRUE(e.CauseIs<EDuplicateKey>());
        EXPECT_FALSE(e.CauseIs<EConnectionLost>());
        EXPECT_EQ(e.ErrorNumber(), 1062u);
        EXPECT_EQ(e.SqlState(), "23000");
    }
    EXPECT_EQ(destination_.State(), DataSetState::Browse);
    // Moving through the destination afterwards posts nothing more.
    destination_.First();
    destination_.Last();
    destination_.Close();
    EXPECT_EQ(root_->Value("SELECT COUNT(*) FROM kt_transfer_keyed"), "501");
    EXPECT_EQ(root_->Value("SELECT name FROM kt_transfer_keyed WHERE id = 501"), "already here");
    EXPECT_EQ(root_->Value("SELECT MAX(id) FROM kt_transfer_keyed WHERE id <> 501"), "500");
}

// The destination's connection was lost before anything was sent: it is opened again once and
// every row arrives, exactly once.
TEST_F(TransferTest, AConnectionKilledBeforeTheTransferIsOpenedAgainAndEveryRowArrives) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER)");
    sqlite_->Exec("INSERT INTO s VALUES (1), (2)");
    root_->Exec("CREATE TABLE kt_transfer_keyed (id INT PRIMARY KEY)");
    OpenBoth("SELECT id FROM s", "SELECT id FROM kt_transfer_keyed");
    const std::string killed = db_.SelectValue("CONNECTION_ID()");
    root_->Exec("KILL " + killed);
    TransferRows(source_, destination_);
    EXPECT_EQ(root_->Rows("SELECT id FROM kt_transfer_keyed ORDER BY id"),
              (std::vector<std::vector<std::string>>{{"1"}, {"2"}}));
    EXPECT_NE(db_.SelectValue("CONNECTION_ID()"), killed);
}

TEST_F(TransferTest, TextThatIsNotANumberIsRefusedForNumericColumns) {
    sqlite_->Exec("CREATE TABLE s (n TEXT, d TEXT)");
    sqlite_->Exec("INSERT INTO s VALUES ('42', ' 12.50 '), ('abc', '1')");
    root_->Exec("CREATE TABLE kt_transfer_numbers (n INT, d DECIMAL(6,2))");
    OpenBoth("SELECT n, d FROM s", "SELECT n, d FROM kt_transfer_numbers");
    const std::string error = ErrorOf([&] { TransferRows(source_, destination_); });
    EXPECT_NE(error.find("'abc'"), std::string::npos) << error;
    EXPECT_EQ(root_->Rows("SELECT n, d FROM kt_transfer_numbers"),
              (std::vector<std::vector<std::string>>{{"42", "12.50"}}));

    // A fraction is not a whole number; a decimal column takes it.
    root_->Exec("DELETE FROM kt_transfer_numbers");
    sqlite_->Exec("DELETE FROM s");
    sqlite_->Exec("INSERT INTO s VALUES ('12.5', '12.5')");
    source_.Close();
    destination_.Close();
    OpenBoth("SELECT n, d FROM s", "SELECT n, d FROM kt_transfer_numbers");
    EXPECT_NE(ErrorOf([&] { TransferRows(source_, destination_); }).find("'12.5'"),
              std::string::npos);
    source_.Close();
    destination_.Close();
    OpenBoth("SELECT n FROM s", "SELECT d FROM kt_transfer_numbers");
    EXPECT_EQ(ErrorOf([&] { TransferRows(source_, destination_); }).find("numbers only"),
              std::string::npos);
}

TEST_F(TransferTest, ColumnsGoByPositionEvenUnderOneName) {
    sqlite_->Exec("CREATE TABLE s (a TEXT, b TEXT)");
    sqlite_->Exec("INSERT INTO s VALUES ('first', 'second')");
    root_->Exec("CREATE TABLE kt_transfer_pairs (x VARCHAR(10), y VARCHAR(10), z VARCHAR(10))");
    OpenBoth("SELECT a AS id, b AS id FROM s", "SELECT x, y, z FROM kt_transfer_pairs");
    EXPECT_EQ(TransferRows(source_, destination_).copied, 1);
    EXPECT_EQ(root_->Rows("SELECT x, y, IFNULL(z, 'NULL') FROM kt_transfer_pairs"),
              (std::vector<std::vector<std::string>>{{"first", "second", "NULL"}}));
}

TEST_F(TransferTest, ProgressSeesEveryRowAndCanStopTheTransfer) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER)");
    std::vector<std::vector<SqliteFile::Param>> rows;
    for (int i = 1; i <= 50; ++i)
        rows.push_back({Int(i)});
    sqlite_->InsertRows("INSERT INTO s VALUES (?)", rows);
    root_->Exec("CREATE TABLE kt_transfer_stop (id INT PRIMARY KEY)");
    OpenBoth("SELECT id FROM s ORDER BY id", "SELECT id FROM kt_transfer_stop");
    std::vector<std::int64_t> seen;
    const TransferResult result =
        TransferRows(source_, destination_, [&](std::int64_t copied, std::int64_t total) {
            EXPECT_EQ(total, 50);
            seen.push_back(copied);
            return copied < 10;
        });
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.copied, 10);
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(root_->Value("SELECT COUNT(*) FROM kt_transfer_stop"), "10");
}

TEST_F(TransferTest, LineBreaksArriveAsTheyAreWhileGridEditsKeepTheirRule) {
    sqlite_->Exec("CREATE TABLE s (id INTEGER, short TEXT, note TEXT)");
    const std::vector<std::string> texts = {"a\r\nb",   "\r\n",           "lone\rcr",
                                            "lone\nlf", "x\r\n\r\ny\n\r", "\r"};
    std::vector<std::vector<SqliteFile::Param>> rows;
    for (std::size_t i = 0; i < texts.size(); ++i)
        rows.push_back({Int(static_cast<std::int64_t>(i) + 1), Text(texts[i]), Text(texts[i])});
    // The row after the last one fails on its key.
    rows.push_back({Int(1), Text("k\r\nk"), Text("k\r\nk")});
    sqlite_->InsertRows("INSERT INTO s VALUES (?,?,?)", rows);
    root_->Exec("CREATE TABLE kt_transfer_breaks (id INT PRIMARY KEY, short VARCHAR(20), "
                "note TEXT) CHARACTER SET utf8mb4");
    OpenBoth("SELECT id, short, note FROM s ORDER BY rowid",
             "SELECT id, short, note FROM kt_transfer_breaks");
    EXPECT_THROW(TransferRows(source_, destination_), ETransferFailed);

    std::vector<std::vector<std::string>> expected;
    for (std::size_t i = 0; i < texts.size(); ++i)
        expected.push_back({std::to_string(i + 1), Hex(texts[i]), Hex(texts[i])});
    EXPECT_EQ(root_->Rows("SELECT id, HEX(short), HEX(note) FROM kt_transfer_breaks ORDER BY id"),
              expected);

    // The failed transfer gave the query back as it was: an edit in the grid writes its CR LF as
    // a line feed, in a new row and in a changed one.
    EXPECT_FALSE(destination_.WriteTextAsIs);
    destination_.Append();
    destination_.FieldByName("id").SetAsString("10");
    destination_.FieldByName("note").SetAsString("new\r\nrow");
    destination_.Post();
    destination_.First();
    destination_.Edit();
    destination_.FieldByName("short").SetAsString("edit\r\ned");
    destination_.Post();
    EXPECT_EQ(
        root_->Rows(
            "SELECT IFNULL(HEX(short), 'NULL'), HEX(note) FROM kt_transfer_breaks WHERE id IN (1, "
            "10) ORDER BY id"),
        (std::vector<std::vector<std::string>>{{Hex("edit\ned"), Hex("a\r\nb")},
                                               {"NULL", Hex("new\nrow")}}));
}
