// What the benchmarks share: the server they measure against (KESTREL_BENCH_HOST, _USER and
// _PASSWORD, by default the test server's root account), peak memory, and the benchmark table of
// mixed column types.
#pragma once

#include "data/client_handles.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"

#include <string>

namespace bench {

extern const std::string kHost;
extern const std::string kUser;
extern const std::string kPassword;

// Peak resident memory of this process in kilobytes.
long PeakKb();
// Connects a fresh handle (database may be null); ends the process when it cannot.
MYSQL* Connect(ClientHandle& h, const char* database);
// Runs a statement and drops any rows it answers; ends the process when the server refuses it.
void Run(MYSQL* m, const std::string& sql);
// (Re)creates database.t with n rows of mixed types.
int Fill(const std::string& database, long long n);
int Drop(const std::string& database);

// Loads the client library, saying on stderr why it cannot; false then.
bool LoadClient();

// The benchmark server's database component and the transact link live queries write through, set
// up as the program sets them up (not yet connected).
struct Database {
    explicit Database(const std::string& name);
    // Gives a query the database and the transact link.
    void Attach(TMySQLQuery& query);

    TMySQLDatabase db;
    TMySQLTransact transact;
};

} // namespace bench
