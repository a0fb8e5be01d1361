// What a query needs of the transaction component that carries its written rows to the server.
// Without one, rows are written straight through the query's database.
#pragma once

#include <string>

class TransactionLink {
public:
    virtual ~TransactionLink() = default;
    virtual void Connect() = 0;
    virtual bool Connected() const = 0;
    // Runs one statement that answers no rows; raises EDatabaseError on failure.
    virtual void ExecSQL(const std::string& statement) = 0;
};
