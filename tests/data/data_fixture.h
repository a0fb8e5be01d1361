// Scratch databases of the test server with a TMySQLDatabase and a TMySQLQuery set to the first,
// for the suites of the data layer.
#pragma once

#include "support/error_of.h"
#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class DataFixture : public ::testing::Test {
protected:
    // count scratch databases; the first is the one the database component uses.
    explicit DataFixture(int count = 1) {
        for (int i = 0; i < count; ++i)
            databases_.push_back(std::make_unique<testserver::ScratchDatabase>());
    }

    void SetUp() override {
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(Db());
        q_.SetDatabase(&db_);
    }
    void TearDown() override {
        q_.Close();
        db_.Disconnect();
    }
    // The name of scratch database i.
    const std::string& Db(std::size_t i = 0) const { return databases_.at(i)->name(); }
    // Runs a statement as root in the first database.
    void Use(const std::string& sql) {
        root_.Exec("USE " + Db());
        root_.Exec(sql);
    }
    void Open(const std::string& sql) {
        q_.Close();
        q_.SetSQLText(sql);
        q_.Open();
    }

    // Made before and dropped after the connections below.
    std::vector<std::unique_ptr<testserver::ScratchDatabase>> databases_;
    testserver::RootConnection root_;
    TMySQLDatabase db_;
    TMySQLQuery q_;
};
