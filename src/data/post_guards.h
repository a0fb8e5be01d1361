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

// The statements sent between construction and Commit() take effect together or not at all, when
// there are several. Straight to the database (`session`), a session already inside a transaction
// (or without autocommit) gets a savepoint, so that the operator's own transaction is neither
// committed nor rolled back, and any other session a transaction of its own. A transact-server's
// session never autocommits: it gets a savepoint, or, where every statement is committed on its
// own, the statements wait for one COMMIT at the end. Leaving without Commit() takes the
// statements back.
class AllOrNothing {
public:
    AllOrNothing(TransactionLink& link, MYSQL* session, std::size_t statements);
    ~AllOrNothing();
    AllOrNothing(const AllOrNothing&) = delete;
    AllOrNothing& operator=(const AllOrNothing&) = delete;
    void Commit();

private:
    TransactionLink& link_;
    bool active_ = false;
    bool savepoint_ = false;
    bool held_ = false; // commits held on a link that commits every statement
};
