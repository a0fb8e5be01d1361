// A SQLite data source and a scratch MySQL database for the transfer tests, with a live query
// on the MySQL side as the transfer window has it.
#pragma once

#include "odbc_sources.h"
#include "support/scratch_database.h"
#include "support/test_server.h"

#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"
#include "transfer/odbc_database.h"
#include "transfer/odbc_query.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class TransferTest : public ::testing::Test {
protected:
    // Made first, dropped last: after every connection of the test has gone.
    testserver::ScratchDatabase scratch_{std::string(), testserver::kHost, "CHARACTER SET utf8mb4"};
    const std::string& Db() const { return scratch_.name(); }

    void SetUp() override {
        odbcsources::Reset(odbcsources::kUserSource);
        sqlite_ = std::make_unique<odbcsources::SqliteFile>(
            odbcsources::FileOf(odbcsources::kUserSource));
        root_ = std::make_unique<testserver::RootConnection>();
        root_->Exec(std::string("USE ") + Db());
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(Db());
        transact_.SetDatabase(&db_);
        destination_.SetDatabase(&db_);
        destination_.SetTransaction(&transact_);
        destination_.RequestLive = true;
        sourceDb_.AliasName = odbcsources::kUserSource;
        source_.SetDatabase(&sourceDb_);
    }
    void TearDown() override {
        destination_.Close();
        transact_.Disconnect();
        db_.Disconnect();
        source_.Close();
        sourceDb_.Close();
    }
    void OpenBoth(const std::string& sourceSql, const std::string& destinationSql) {
        source_.SQL = {sourceSql};
        source_.Open();
        destination_.SetSQLText(destinationSql);
        destination_.Open();
    }

    std::unique_ptr<odbcsources::SqliteFile> sqlite_;
    std::unique_ptr<testserver::RootConnection> root_;
    TMySQLDatabase db_;
    TMySQLTransact transact_;
    TMySQLQuery destination_;
    TOdbcDatabase sourceDb_;
    TOdbcQuery source_;
};
