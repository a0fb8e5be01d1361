// What stands around the statements of one posted change: the checks that the row they find is
// the one row the operator sees, and a transaction that makes several statements all or nothing.
#pragma once

#include "data/client_library.h"
#include "data/update_statements.h"

class TDirMySQLConnect;
class TransactionLink;

// Runs the checks a statement carries on the connection whose session reads the rows (the same
// time zone): raises ERowNotDistinct when its condition may find a row other than the one read.
void CheckRowCanBeToldApart(TDirMySQLConnect& connection, const GeneratedStatement& statement);

// The statements sent between construction and Commit() take effect together or not at all. A
// session already inside a transaction (or without autocommit) gets a savepoint, so that the
// operator's own transaction is neither committed nor rolled back; otherwise a transaction of its
// own. Leaving without Commit() takes the statements back. Inactive without a session handle.
class AllOrNothing {
public:
    AllOrNothing(TransactionLink& link, MYSQL* session);
    ~AllOrNothing();
    AllOrNothing(const AllOrNothing&) = delete;
    AllOrNothing& operator=(const AllOrNothing&) = delete;
    void Commit();

private:
    TransactionLink& link_;
    bool active_ = false;
    bool savepoint_ = false;
};
