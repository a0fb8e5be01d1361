// A live query on a throwaway database with its transaction component (which keeps every
// statement it carried), and what the tests read back from the server's side.
#pragma once

#include "data_fixture.h"

#include "data/mysql_transact.h"

#include <string>
#include <vector>

// The transaction component, keeping every statement it carried.
class RecordingTransact : public TMySQLTransact {
public:
    ExecResult ExecSQL(const std::string& statement) override {
        sent.push_back(statement);
        return TMySQLTransact::ExecSQL(statement);
    }
    std::vector<std::string> sent;
};

class LiveTest : public DataFixture {
protected:
    LiveTest() : DataFixture() {}

    void SetUp() override {
        DataFixture::SetUp();
        transact_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
        q_.RequestLive = true;
    }
    void TearDown() override {
        q_.Close();
        transact_.Disconnect();
        DataFixture::TearDown();
    }
    std::string Value(const std::string& sql) {
        root_.Exec("USE " + Db());
        return root_.Value(sql);
    }
    std::vector<std::vector<std::string>> Rows(const std::string& sql) {
        root_.Exec("USE " + Db());
        return root_.Rows(sql);
    }
    std::string Text(const char* name) { return q_.FieldByName(name).AsString(); }
    // Edits the current row: sets the named fields from texts and posts.
    void EditRow(std::initializer_list<std::pair<const char*, const char*>> values) {
        q_.Edit();
        for (const auto& [name, text] : values)
            q_.FieldByName(name).SetAsString(text);
        q_.Post();
    }

    RecordingTransact transact_;
};
