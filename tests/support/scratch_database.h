// A database of its own for one test on the test server: made afresh under a name no other test
// (of this process or of another one running beside it) uses, and dropped again when the object
// goes, also when the test failed or stopped at a fatal assertion.
#pragma once

#include "support/test_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testserver {

class ScratchDatabase {
public:
    // stem: the readable start of the name (the running test's suite name when empty); the
    // process id and a counter follow it. options are appended to CREATE DATABASE (e.g. a
    // character set). Throws when the server refuses the database: a test cannot go on without it.
    explicit ScratchDatabase(const std::string& stem = {}, const std::string& host = kHost,
                             const std::string& options = {});
    // A database under exactly this name, for a test whose expected texts hold the name (a report,
    // a list the window shows); one left behind by an earlier run is dropped first.
    struct Exactly {
        std::string name;
    };
    explicit ScratchDatabase(Exactly exact, const std::string& host = kHost,
                             const std::string& options = {});
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const std::string& name() const { return name_; }
    // The name in backquotes, ready for a statement.
    std::string quoted() const;
    // A table of this database, qualified and quoted: `db`.`table`.
    std::string Table(const std::string& table) const;
    const std::string& host() const { return host_; }
    // A root connection whose default database is this one.
    RootConnection& root() { return *root_; }
    // Runs a statement in this database as root; fails the test when the server refuses it.
    bool Exec(const std::string& sql) { return root_->Exec(sql); }
    std::vector<std::vector<std::string>> Rows(const std::string& sql) { return root_->Rows(sql); }
    std::string Value(const std::string& sql) { return root_->Value(sql); }

private:
    void Create(const std::string& options);

    std::string host_;
    std::string name_;
    std::unique_ptr<RootConnection> root_;
};

// A test fixture with one scratch database, named after the suite. Being the base, the database
// is made before and dropped after every connection a derived fixture holds.
class ScratchDatabaseTest : public ::testing::Test {
protected:
    const std::string& Db() const { return scratch_.name(); }

    ScratchDatabase scratch_;
};

} // namespace testserver
