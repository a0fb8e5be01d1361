// A throwaway database for the live-editing tests, a live query on it with its transaction
// component, and a root connection to look at the server's side.
#pragma once

#include "support/test_server.h"

#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

// The transaction component, keeping every statement it carried.
class RecordingTransact : public TMySQLTransact {
public:
    ExecResult ExecSQL(const std::string& statement) override {
        sent.push_back(statement);
        return TMySQLTransact::ExecSQL(statement);
    }
    std::vector<std::string> sent;
};

class LiveTest : public ::testing::Test {
protected:
    static constexpr const char* kDb = "kt_live_edit";

    void SetUp() override {
        root_ = std::make_unique<testserver::RootConnection>(host_);
        root_->Exec(std::string("DROP DATABASE IF EXISTS ") + kDb);
        root_->Exec(std::string("CREATE DATABASE ") + kDb);
        db_.SetHost(host_);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(kDb);
        transact_.SetDatabase(&db_);
        q_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
        q_.RequestLive = true;
    }
    void TearDown() override {
        q_.Close();
        transact_.Disconnect();
        db_.Disconnect();
        root_->Exec(std::string("DROP DATABASE IF EXISTS ") + kDb);
    }
    void Use(const std::string& sql) {
        root_->Exec(std::string("USE ") + kDb);
        root_->Exec(sql);
    }
    std::string Value(const std::string& sql) {
        root_->Exec(std::string("USE ") + kDb);
        return root_->Value(sql);
    }
    std::vector<std::vector<std::string>> Rows(const std::string& sql) {
        root_->Exec(std::string("USE ") + kDb);
        return root_->Rows(sql);
    }
    void Open(const std::string& sql) {
        q_.SetSQLText(sql);
        q_.Open();
    }
    std::string Text(const char* name) { return q_.FieldByName(name).AsString(); }
    // Edits the current row: sets the named fields from texts and posts.
    void EditRow(std::initializer_list<std::pair<const char*, const char*>> values) {
        q_.Edit();
        for (const auto& [name, text] : values)
            q_.FieldByName(name).SetAsString(text);
        q_.Post();
    }
    static std::string ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const EDatabaseError& e) {
            return e.what();
        }
        return "(no error)";
    }

    std::string host_ = testserver::kHost;
    std::unique_ptr<testserver::RootConnection> root_;
    TMySQLDatabase db_;
    RecordingTransact transact_;
    TMySQLQuery q_;
};
