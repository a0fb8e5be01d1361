#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/db_error.h"
#include "data/dir_query.h"
#include "data/mysql_database.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

class ConnectionTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root_ = std::make_unique<testserver::RootConnection>();
        root_->Exec(std::string("CREATE TABLE ") + Db() + ".t (id INT PRIMARY KEY, s VARCHAR(20))");
    }

    void SetUpDatabase(TMySQLDatabase& db, const std::string& password = "kestrel") {
        db.SetHost(testserver::kHost);
        db.SetLogin(testserver::kRootUser);
        db.SetPassword(password);
        db.SetDatabase(Db());
    }

    std::unique_ptr<testserver::RootConnection> root_;
};

TEST_F(ConnectionTest, PortPropertyIsIgnoredAndWrongPasswordGivesTheFixedText) {
    TMySQLDatabase db;
    EXPECT_EQ(db.Port(), "33600");
    SetUpDatabase(db);
    db.Connect();
    EXPECT_TRUE(db.Connected());
    EXPECT_EQ(db.SelectValue("@@port"), "3306");

    TMySQLDatabase bad;
    SetUpDatabase(bad, "wrong");
    try {
        bad.Connect();
        FAIL() << "connected with a wrong password";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Connect to server error");
    }
    EXPECT_FALSE(bad.Connected());
}

TEST_F(ConnectionTest, PropertyWritesAndLoginEvent) {
    TMySQLDatabase db;
    SetUpDatabase(db);
    int logins = 0;
    db.OnLogin = [&](TMySQLDatabase& sender) {
        EXPECT_EQ(&sender, &db);
        ++logins;
    };
    db.SetConnected(true);
    db.SetConnected(true);
    EXPECT_EQ(logins, 1);
    db.SetLogin("someone");
    db.SetPassword("else");
    EXPECT_TRUE(db.Connected());
    db.SetHost(testserver::kHost);
    EXPECT_FALSE(db.Connected());
    EXPECT_FALSE(db.DirConnect().Active);

    // The handler may still change the properties before the connect.
    db.OnLogin = [](TMySQLDatabase& d) {
        d.SetLogin(testserver::kRootUser);
        d.SetPassword(testserver::kRootPassword);
    };
    db.Connect();
    EXPECT_TRUE(db.Connected());
    db.SetDatabase(Db());
    EXPECT_FALSE(db.Connected());
}

TEST_F(ConnectionTest, StatementsNeedAConnectionAndDrainTheirRows) {
    TMySQLDatabase db;
    SetUpDatabase(db);
    for (auto call : {+[](TMySQLDatabase& d) { d.ExecSQL("SELECT 1"); },
                      +[](TMySQLDatabase& d) { d.SelectValue("1"); },
                      +[](TMySQLDatabase& d) { d.GetGen("g"); }}) {
        try {
            call(db);
            FAIL();
        } catch (const EDatabaseError& e) {
            EXPECT_STREQ(e.what(), "Not connected yet");
        }
    }
    db.Connect();
    db.ExecSQL("  \n show tables");
    db.ExecSQL("INSERT INTO t VALUES (1, 'a')");
    EXPECT_EQ(Client().mysql_affected_rows(db.DirConnect().Handle()), 1u);
    db.ExecSQL("select * from t");
    db.ExecSQL("(SELECT s FROM t)"); // rows of any statement that answers some are dropped
    EXPECT_EQ(db.SelectValue("s FROM t WHERE id = 1"), "a");
    EXPECT_EQ(db.SelectValue("NULL"), "");
    EXPECT_EQ(db.SelectValue("1 FROM t WHERE id = 99"), "");
    try {
        db.ExecSQL("INSERT INTO t VALUES (1, 'dup')");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("Duplicate entry"), std::string::npos) << e.what();
        EXPECT_NE(dynamic_cast<const EDuplicateKey*>(&e), nullptr) << e.what();
    }
    EXPECT_TRUE(db.Connected());
}

// The class of an error the server answered follows its number; the text stays the server's.
TEST_F(ConnectionTest, ADuplicateKeyAForeignKeyAndAKilledConnectionAreToldApartByType) {
    root_->Exec(std::string("CREATE TABLE ") + Db() + ".parent (id INT PRIMARY KEY) ENGINE=InnoDB");
    root_->Exec(std::string("CREATE TABLE ") + Db() +
                ".child (id INT, parent INT, FOREIGN KEY (parent) REFERENCES parent (id)) "
                "ENGINE=InnoDB");
    TMySQLDatabase db;
    SetUpDatabase(db);
    db.Connect();
    db.ExecSQL("INSERT INTO t VALUES (1, 'a')");

    try {
        db.ExecSQL("INSERT INTO t VALUES (1, 'again')");
        FAIL() << "a duplicate key was written";
    } catch (const EConnectionLost& e) {
        FAIL() << "a duplicate key taken for a lost connection: " << e.what();
    } catch (const EDuplicateKey& e) {
        EXPECT_EQ(e.ErrorNumber(), 1062u);
        EXPECT_EQ(e.SqlState(), "23000");
        EXPECT_STREQ(e.what(), "Duplicate entry '1' for key 'PRIMARY'");
        EXPECT_NE(dynamic_cast<const EConstraintViolated*>(&e), nullptr);
    }
    try {
        db.ExecSQL("INSERT INTO child VALUES (1, 99)");
        FAIL() << "a row without its parent was written";
    } catch (const EForeignKeyViolated& e) {
        EXPECT_EQ(e.ErrorNumber(), 1452u);
        EXPECT_EQ(e.SqlState(), "23000");
        EXPECT_NE(dynamic_cast<const EConstraintViolated*>(&e), nullptr);
    }
    // Any other refusal is the base class, with its number.
    try {
        db.ExecSQL("SELEKT 1");
        FAIL() << "a statement with a syntax error ran";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(typeid(e), typeid(EDatabaseError)) << typeid(e).name();
        EXPECT_EQ(e.ErrorNumber(), 1064u);
        EXPECT_EQ(e.SqlState(), "42000");
    }
    EXPECT_TRUE(db.Connected());

    root_->Exec("KILL " + db.SelectValue("CONNECTION_ID()"));
    try {
        db.ExecSQL("INSERT INTO t VALUES (2, 'b')");
        FAIL() << "a statement ran on a killed connection";
    } catch (const EConnectionLost& e) {
        EXPECT_TRUE(e.ErrorNumber() == 2006 || e.ErrorNumber() == 2013 || e.ErrorNumber() == 1927)
            << e.ErrorNumber() << " " << e.what();
        EXPECT_EQ(dynamic_cast<const EConstraintViolated*>(&e), nullptr);
    }
    EXPECT_FALSE(db.StillConnected());
}

// Numbers without a server: the client library's own (connection lost) and SQLSTATE classes.
TEST(ServerErrorClasses, NumbersAndStatesPickTheClass) {
    const auto kindOf = [](unsigned number, const std::string& state) -> std::string {
        try {
            ThrowServerError("text", number, state);
        } catch (const EConnectionLost& e) {
            EXPECT_STREQ(e.what(), "text");
            return "lost";
        } catch (const EDuplicateKey&) {
            return "duplicate";
        } catch (const EForeignKeyViolated&) {
            return "foreign";
        } catch (const EConstraintViolated&) {
            return "constraint";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.ErrorNumber(), number);
            return "other";
        }
        return "none";
    };
    EXPECT_EQ(kindOf(2006, "HY000"), "lost");
    EXPECT_EQ(kindOf(2013, "HY000"), "lost");
    EXPECT_EQ(kindOf(2055, "HY000"), "lost");
    EXPECT_EQ(kindOf(1927, "70100"), "lost");
    EXPECT_EQ(kindOf(1160, "08S01"), "lost");
    EXPECT_EQ(kindOf(1586, "23000"), "duplicate");
    EXPECT_EQ(kindOf(1451, "23000"), "foreign");
    EXPECT_EQ(kindOf(1048, "23000"), "constraint"); // a NULL for a NOT NULL column
    EXPECT_EQ(kindOf(4025, "23000"), "constraint"); // a CHECK constraint
    EXPECT_EQ(kindOf(1146, "42S02"), "other");
    EXPECT_EQ(kindOf(0, ""), "other");
    EXPECT_EQ(kindOf(2003, "HY000"), "other"); // could not connect at all: nothing was lost
}

TEST_F(ConnectionTest, GetGenReadsNumbersOnly) {
    root_->Exec(std::string("CREATE FUNCTION ") + Db() +
                ".GETGEN(n VARCHAR(64)) RETURNS VARCHAR(64) DETERMINISTIC "
                "RETURN CASE n WHEN 'num' THEN '42' WHEN 'big' THEN '5000000000' "
                "WHEN 'txt' THEN 'abc' WHEN 'none' THEN NULL ELSE LENGTH(n) END");
    TMySQLDatabase db;
    SetUpDatabase(db);
    db.Connect();
    EXPECT_EQ(db.GetGen("num"), 42);
    EXPECT_EQ(db.GetGen("big"), 5000000000);
    EXPECT_EQ(db.GetGen("txt"), 0);
    EXPECT_EQ(db.GetGen("none"), 0);
    // The name cannot change the statement: the function sees all of it.
    const std::string quotes = "x\") or 1 or (\"' --";
    EXPECT_EQ(db.GetGen(quotes), static_cast<std::int64_t>(quotes.size()));
    // Nor in a session whose quoting differs.
    const std::string hostile = "x') + 100 -- ";
    for (const char* mode :
         {"NO_BACKSLASH_ESCAPES", "ANSI_QUOTES", "ANSI_QUOTES,NO_BACKSLASH_ESCAPES"}) {
        db.ExecSQL(std::string("SET SESSION sql_mode = '") + mode + "'");
        EXPECT_EQ(db.GetGen(hostile), static_cast<std::int64_t>(hostile.size())) << mode;
        EXPECT_EQ(db.GetGen("a\\'b"), 4) << mode;
    }
}

TEST_F(ConnectionTest, DirectConnectionCodesAndMessages) {
    TDirConnect base;
    EXPECT_EQ(base.ErrorText, "Not connected");
    EXPECT_EQ(base.Connect(), dsNotSupported);
    EXPECT_EQ(base.CreateDatabase(), dsNotSupported);
    EXPECT_EQ(base.GetConnected(), 0);

    TDirMySQLConnect c;
    EXPECT_EQ(c.Port, "3306");
    EXPECT_EQ(c.ConnectTo(testserver::kHost, "1", Db(), "root", "nope"), dsError);
    EXPECT_EQ(c.GetErrorMsg(), "Connect to server error");
    EXPECT_EQ(c.ConnectTo(testserver::kHost, "1", Db(), "root", "kestrel"), dsConnected);
    EXPECT_EQ(c.GetConnected(), 1);
    TDirMySqlQuery q(&c);
    q.Sql = "SELECT * FROM no_such_table";
    q.Open();
    EXPECT_EQ(q.GetStatus(), dsError);
    EXPECT_NE(c.GetErrorMsg().find("doesn't exist"), std::string::npos) << c.GetErrorMsg();

    c.Database = "kt_data_conn_made";
    c.Disconnect();
    c.Host = testserver::kHost;
    EXPECT_EQ(c.CreateDatabase(), dsConnected);
    EXPECT_TRUE(c.Active);
    EXPECT_EQ(c.DropDatabase(), dsNone);
    EXPECT_FALSE(c.Active);
    EXPECT_EQ(c.DropDatabase(), dsError);
    // A drop the server refuses is a failure, with the server's reason.
    ASSERT_EQ(c.ConnectTo(testserver::kHost, "", "", "root", "kestrel"), dsConnected);
    c.Database = "kt_data_conn_never_made";
    EXPECT_EQ(c.DropDatabase(), dsError);
    EXPECT_NE(c.GetErrorMsg().find("database doesn't exist"), std::string::npos) << c.GetErrorMsg();
    // A name with a NUL byte would reach the server cut short: it is refused unsent.
    ASSERT_EQ(c.ConnectTo(testserver::kHost, "", "", "root", "kestrel"), dsConnected);
    c.Database = std::string(Db()) + std::string("\0x", 2);
    EXPECT_EQ(c.DropDatabase(), dsError);
    EXPECT_EQ(root_->Value(std::string("SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE "
                                       "SCHEMA_NAME = '") +
                           Db() + "'"),
              "1");
    EXPECT_EQ(root_->Value("SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE "
                           "SCHEMA_NAME = 'kt_data_conn_made'"),
              "0");
    c.Database = Db();
    EXPECT_EQ(c.CreateDatabase(), dsError);
    EXPECT_EQ(c.GetErrorMsg(), "Database creating error");
}

TEST_F(ConnectionTest, DirectQueryNavigationAndNames) {
    root_->Exec(std::string("INSERT INTO ") + Db() + ".t VALUES (1,'a'),(2,NULL),(3,'ccc')");
    TDirMySQLConnect c;
    ASSERT_EQ(c.ConnectTo(testserver::kHost, "", Db(), "root", "kestrel"), dsConnected);
    TDirMySqlQuery q(&c);
    q.Sql = "SELECT id, s, id, id FROM t ORDER BY id";
    q.Open();
    ASSERT_EQ(q.GetStatus(), dsRows);
    EXPECT_EQ(q.GetRecordCount(), 3);
    EXPECT_EQ(q.GetFieldName(2), "id_1");
    EXPECT_EQ(q.GetFieldName(3), "id_2");
    EXPECT_EQ(q.GetFieldIndex("id_1"), 2);
    EXPECT_EQ(q.GetFieldIndex("nope"), -1);
    EXPECT_EQ(q.GetFieldMaxSize(1), 3);
    EXPECT_EQ(q.GetField(1), "a");
    q.Next();
    EXPECT_EQ(q.GetFieldBuffer(1), nullptr); // NULL
    q.Last();
    EXPECT_EQ(q.GetFieldByName("s"), "ccc");
    q.Next();
    EXPECT_TRUE(q.GetEof());
    q.MoveTo(10);
    EXPECT_EQ(q.RecNo, 2);
    q.First();
    q.Prev();
    EXPECT_TRUE(q.GetBof());
    EXPECT_EQ(q.GetFieldBuffer(0), nullptr);
    q.Close();
    EXPECT_EQ(q.GetStatus(), dsNone);

    // Row by row: the count grows as rows are read.
    q.SetStoreResult(false);
    q.Sql = "SELECT id FROM t ORDER BY id";
    q.Open();
    EXPECT_EQ(q.GetRecordCount(), 1);
    std::vector<std::string> ids;
    for (; !q.GetEof(); q.Next())
        ids.push_back(q.GetField(0));
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(q.GetRecordCount(), 3);
}

} // namespace
