// What the transfer benchmarks share: a SQLite data source of N rows of mixed types (defined in a
// temporary odbc.ini named by ODBCINI/ODBCSYSINI), the MySQL table t they are copied into, and
// the raw baselines: an ODBC read loop that makes the INSERT statements, and a batch sending them.
#pragma once

#include "data/client_handles.h"
#include "data/client_library.h"

#include <chrono>
#include <string>
#include <vector>

namespace transferbench {

extern const std::string kDatabase;
extern const char* kSource;
extern const char* kColumns;

double Since(std::chrono::steady_clock::time_point start);
double Median(std::vector<double> v);

// Writes the ODBC configuration into a new temporary folder and names it in the environment;
// answers the folder (its source.db is the data source's file).
std::string DefineSource();
void FillSource(const std::string& file, long long n);
// Defines the data source with N rows, connects to the benchmark server through admin and makes
// kDatabase anew as the current database; answers the connection and the source's folder.
MYSQL* PrepareSourceAndDatabase(ClientHandle& admin, long long n, std::string& sourceDir);
// (Re)creates table t in the current database.
void ResetTable(MYSQL* m);
// The raw baselines time their connecting as the transfer times its own (to the data source and
// to the server): both sides connect inside the timer.
// The raw read loop; the rows become the INSERT statements the raw batch sends. Seconds.
double RawRead(MYSQL* m, std::vector<std::string>& inserts);
// Resets t, then connects anew and sends the statements one by one. Seconds.
double RawInsert(MYSQL* m, const std::vector<std::string>& inserts);

} // namespace transferbench
