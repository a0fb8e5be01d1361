// What a query needs of the transaction component that carries its written rows to the server.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the server said about one statement that answers no rows.
struct ExecResult {
    std::uint64_t matchedRows = 0; // rows the statement found (an UPDATE counts unchanged rows too)
    std::uint64_t insertId = 0;    // the value an INSERT generated for an auto-increment column
    bool countsKnown = false;      // false where the carrier cannot tell (a transact-server that
                                   // answers a bare "OK")
};

class TransactionLink {
public:
    virtual ~TransactionLink() = default;
    virtual void Connect() = 0;
    virtual bool Connected() const = 0;
    // Runs one statement that answers no rows; raises EDatabaseError on failure.
    virtual ExecResult ExecSQL(const std::string& statement) = 0;
    // A value as a literal that means that value in the session the statements run in.
    virtual std::string SqlLiteral(std::string_view value) const = 0;
    // True when statements go through a transact-server (counts only from one that sends them).
    virtual bool ThroughTransactServer() const { return false; }
    // True when a row written is visible at once to other connections of the same login (the
    // carrier commits each statement), so it can be read back there.
    virtual bool WritesVisibleAtOnce() const { return true; }
    // True when every statement is committed on its own (a transact-server with AutoCommit).
    virtual bool CommitsEachStatement() const { return false; }
    // While held, statements are not committed on their own; the holder commits or rolls back.
    virtual void HoldCommits(bool hold) { (void)hold; }
    // After a statement was written: empty when it has been committed (no transaction is open on
    // the carrier's session), else a text that names the open transaction (the same text for as
    // long as that transaction lasts).
    virtual std::string OpenTransaction() { return {}; }
    // Ends whatever transaction is open (the server may have rolled it back already); failures
    // are ignored.
    virtual void RollBackOpenTransaction() {}
};
