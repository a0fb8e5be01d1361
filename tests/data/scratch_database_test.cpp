// The scratch database every server test sets itself up with.
#include "support/scratch_database.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

namespace {

using testserver::RootConnection;
using testserver::ScratchDatabase;

bool Listed(RootConnection& root, const std::string& name) {
    return root.Value("SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = '" +
                      name + "'") == "1";
}

TEST(ScratchDatabase, EachHasANameOfItsOwnAndGoesWithTheObject) {
    RootConnection root;
    std::string first, second;
    {
        ScratchDatabase a;
        ScratchDatabase b("Odd stem `x`; -- y");
        first = a.name();
        second = b.name();
        EXPECT_NE(first, second);
        EXPECT_EQ(first.rfind("kt_scratchdatabase_", 0), 0u) << first;
        EXPECT_EQ(second.rfind("kt_odd_stem__x______y_", 0), 0u) << second;
        EXPECT_EQ(b.quoted(), "`" + second + "`");
        EXPECT_EQ(b.Table("t"), "`" + second + "`.`t`");
        EXPECT_TRUE(Listed(root, first));
        EXPECT_TRUE(Listed(root, second));
        // Its connection works in it.
        a.Exec("CREATE TABLE t (id INT)");
        a.Exec("INSERT INTO t VALUES (4)");
        EXPECT_EQ(a.Value("SELECT id FROM t"), "4");
        EXPECT_EQ(root.Value("SELECT id FROM " + a.Table("t")), "4");
    }
    EXPECT_FALSE(Listed(root, first));
    EXPECT_FALSE(Listed(root, second));
}

TEST(ScratchDatabase, GoesAlsoWhenItsConnectionWasLeftInATransaction) {
    RootConnection root;
    std::string name;
    {
        ScratchDatabase db;
        name = db.name();
        db.Exec("CREATE TABLE t (id INT PRIMARY KEY) ENGINE=InnoDB");
        db.Exec("BEGIN");
        db.Exec("INSERT INTO t VALUES (1)");
        db.Rows("SELECT * FROM t FOR UPDATE");
        // A drop on another connection would wait for the transaction's lock (here: 5 s).
        db.Exec("SET SESSION lock_wait_timeout = 5");
    }
    EXPECT_FALSE(Listed(root, name));
}

TEST(ScratchDatabase, AnExactNameReplacesWhatAnEarlierRunLeftBehind) {
    RootConnection root;
    root.Exec("CREATE DATABASE IF NOT EXISTS kt_scratch_exact");
    root.Exec("CREATE TABLE IF NOT EXISTS kt_scratch_exact.left_over (id INT)");
    {
        ScratchDatabase db(ScratchDatabase::Exactly{"kt_scratch_exact"});
        EXPECT_EQ(db.name(), "kt_scratch_exact");
        EXPECT_TRUE(db.Rows("SHOW TABLES").empty());
    }
    EXPECT_FALSE(Listed(root, "kt_scratch_exact"));
}

} // namespace
