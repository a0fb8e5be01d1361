// Copying rows of mixed types from a SQLite data source (through the SQLite ODBC driver) into a
// MySQL table with the transfer, against raw baselines in the same run:
//
//   transfer_rows [N] [ROUNDS]   N rows (100,000 by default), ROUNDS alternating rounds (3)
//     read      a raw ODBC loop: SQLConnect, SQLExecDirect, SQLFetch, SQLGetData of every column
//     insert    a raw batch of the same INSERT statements (one per row, autocommit, values
//               quoted on the connection) sent with mysql_real_query over a new connection
//     transfer  opening the source query and the live MySQL query, then TransferRows
// Each side's time includes its connecting: the raw loops connect to the data source and to the
// server inside their timers as the transfer's queries do when they open.
//
// Prints the medians, rows per second and the ratio transfer / (read + insert).
// The data source is defined in a temporary odbc.ini named by ODBCINI/ODBCSYSINI.
#include "bench_table.h"
#include "data/client_handles.h"
#include "data/client_library.h"
#include "data/mysql_query.h"
#include "data/sql_values.h"
#include "transfer/odbc_database.h"
#include "transfer/odbc_query.h"
#include "transfer/odbc_session.h"
#include "transfer/row_transfer.h"
#include "transfer_source.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace transferbench;

double Transfer(MYSQL* m, long long n) {
    ResetTable(m);
    bench::Database database(kDatabase);
    TMySQLQuery destination;
    database.Attach(destination);
    destination.RequestLive = true;
    TOdbcDatabase sourceDb;
    sourceDb.AliasName = kSource;
    TOdbcQuery source;
    source.SetDatabase(&sourceDb);
    const auto start = std::chrono::steady_clock::now();
    source.SQL = {std::string("SELECT ") + kColumns + " FROM t"};
    source.Open();
    destination.SetSQLText(std::string("SELECT ") + kColumns + " FROM t");
    destination.Open();
    const TransferResult result = TransferRows(source, destination);
    const double seconds = Since(start);
    if (result.copied != n) {
        std::fprintf(stderr, "copied %lld of %lld\n", static_cast<long long>(result.copied), n);
        std::exit(2);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const long long n = argc > 1 ? std::atoll(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (!bench::LoadClient())
        return 1;
    ClientHandle admin;
    std::string dir;
    MYSQL* m = PrepareSourceAndDatabase(admin, n, dir);
    std::vector<double> reads, insertsTimes, transfers;
    std::vector<std::string> inserts;
    try {
        for (int r = 0; r < rounds; ++r) {
            reads.push_back(RawRead(m, inserts));
            insertsTimes.push_back(RawInsert(m, inserts));
            transfers.push_back(Transfer(m, n));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    bench::Run(m, "DROP DATABASE IF EXISTS " + kDatabase);
    std::system(("rm -rf " + dir).c_str());
    const double read = Median(reads), insert = Median(insertsTimes), transfer = Median(transfers);
    std::printf("N=%lld rows, median of %d alternating rounds\n", n, rounds);
    std::printf("  raw ODBC read loop   : %8.3f s\n", read);
    std::printf("  raw INSERT batch     : %8.3f s\n", insert);
    std::printf("  transfer             : %8.3f s  %10.0f rows/s\n", transfer, n / transfer);
    std::printf("  ratio transfer / (read + insert) : %.2f\n", transfer / (read + insert));
    return 0;
}
