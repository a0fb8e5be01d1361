// A throwaway database of the test server with a TMySQLDatabase and a TMySQLQuery set to it,
// for the suites of the data layer.
#pragma once

#include "support/error_of.h"
#include "support/test_server.h"

#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class DataFixture : public ::testing::Test {
protected:
    // databases: the first is the one the database component uses; all are made afresh.
    explicit DataFixture(std::vector<std::string> databases) : databases_(std::move(databases)) {}

    void SetUp() override {
        for (const std::string& name : databases_) {
            root_.Exec("DROP DATABASE IF EXISTS " + name);
            root_.Exec("CREATE DATABASE " + name);
        }
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(databases_.front());
        q_.SetDatabase(&db_);
    }
    void TearDown() override {
        q_.Close();
        db_.Disconnect();
        for (const std::string& name : databases_)
            root_.Exec("DROP DATABASE IF EXISTS " + name);
    }
    // Runs a statement as root in the first database.
    void Use(const std::string& sql) {
        root_.Exec("USE " + databases_.front());
        root_.Exec(sql);
    }
    void Open(const std::string& sql) {
        q_.Close();
        q_.SetSQLText(sql);
        q_.Open();
    }

    std::vector<std::string> databases_;
    testserver::RootConnection root_;
    TMySQLDatabase db_;
    TMySQLQuery q_;
};
