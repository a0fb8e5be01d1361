#include "transfer_source.h"

#include "bench_table.h"
#include "data/sql_values.h"
#include "transfer/odbc_handles.h"
#include "transfer/odbc_session.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace transferbench {

const std::string kDatabase = "kt_bench_transfer";
const char* kSource = "kt_bench_transfer_source";
const char* kColumns = "id, big, price, born, ratio, name, note, data";

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string DefineSource() {
    char pattern[] = "/tmp/kt_bench_transfer_XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    const std::string dir = pattern;
    std::ofstream(dir + "/odbcinst.ini")
        << "[BenchSQLite]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\n";
    std::ofstream(dir + "/odbc.ini")
        << "[" << kSource << "]\nDriver=BenchSQLite\nDatabase=" << dir << "/source.db\n";
    setenv("ODBCSYSINI", dir.c_str(), 1);
    setenv("ODBCINI", (dir + "/odbc.ini").c_str(), 1);
    return dir;
}

void FillSource(const std::string& file, long long n) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK)
        std::exit(2);
    sqlite3_exec(db,
                 "CREATE TABLE t (id INTEGER, big BIGINT, price DECIMAL(14,2), born DATE, "
                 "ratio DOUBLE, name VARCHAR(60), note TEXT, data BLOB); BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?,?,?,?,?,?,?,?)", -1, &s, nullptr);
    for (long long i = 1; i <= n; ++i) {
        char price[32], born[16];
        std::snprintf(price, sizeof price, "%lld.%02lld", i % 100000, i % 100);
        std::snprintf(born, sizeof born, "20%02lld-%02lld-%02lld", i % 100, i % 12 + 1, i % 28 + 1);
        const std::string name = "name 'č' " + std::to_string(i);
        const std::string note = "a note about row " + std::to_string(i) + "\nsecond line";
        const std::string data(16 + i % 48, static_cast<char>(i % 256));
        sqlite3_bind_int64(s, 1, i);
        sqlite3_bind_int64(s, 2, (i % 2 ? 1 : -1) * (4000000000000000000LL + i));
        sqlite3_bind_text(s, 3, price, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 4, born, -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(s, 5, static_cast<double>(i) / 8);
        sqlite3_bind_text(s, 6, name.c_str(), -1, SQLITE_TRANSIENT);
        if (i % 10 == 0)
            sqlite3_bind_null(s, 7);
        else
            sqlite3_bind_text(s, 7, note.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_blob(s, 8, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void ResetTable(MYSQL* m) {
    bench::Run(m, "DROP TABLE IF EXISTS t");
    bench::Run(m, "CREATE TABLE t (id INT PRIMARY KEY, big BIGINT, price DECIMAL(14,2), "
                  "born DATE, ratio DOUBLE, name VARCHAR(60), note TEXT, data BLOB) "
                  "CHARACTER SET utf8mb4");
}

// The raw read loop, connecting to the data source included; the rows become the INSERT
// statements the raw batch sends.
double RawRead(MYSQL* m, std::vector<std::string>& inserts) {
    inserts.clear();
    const auto start = std::chrono::steady_clock::now();
    TOdbcSession session;
    OdbcHandle dbc(SQL_HANDLE_DBC, session.Environment());
    CheckOdbc(SQLConnect(dbc.Get(), (SQLCHAR*)kSource, SQL_NTS, nullptr, 0, nullptr, 0), dbc,
              "connect");
    OdbcHandle st(SQL_HANDLE_STMT, dbc.Get());
    std::string select = std::string("SELECT ") + kColumns + " FROM t";
    CheckOdbc(SQLExecDirect(st.Get(), (SQLCHAR*)select.data(), SQL_NTS), st, "select");
    std::vector<char> buffer(1 << 16);
    std::string sql;
    while (SQLFetch(st.Get()) == SQL_SUCCESS) {
        sql = "INSERT INTO t (";
        sql += kColumns;
        sql += ") VALUES (";
        for (SQLUSMALLINT c = 1; c <= 8; ++c) {
            SQLLEN length = 0;
            const SQLSMALLINT type = c == 8 ? SQL_C_BINARY : SQL_C_CHAR;
            SQLGetData(st.Get(), c, type, buffer.data(), static_cast<SQLLEN>(buffer.size()),
                       &length);
            if (c > 1)
                sql += ',';
            if (length == SQL_NULL_DATA)
                sql += "NULL";
            else
                sql += QuoteSqlValue(
                    m, std::string_view(buffer.data(), static_cast<std::size_t>(length)));
        }
        sql += ')';
        inserts.push_back(sql);
    }
    return Since(start);
}

double RawInsert(MYSQL* m, const std::vector<std::string>& inserts) {
    ResetTable(m);
    const auto start = std::chrono::steady_clock::now();
    // Connecting is timed on both sides: the transfer connects to the server inside its time too.
    ClientHandle h;
    MYSQL* own = bench::Connect(h, kDatabase.c_str());
    for (const std::string& sql : inserts)
        bench::Run(own, sql);
    return Since(start);
}

MYSQL* PrepareSourceAndDatabase(ClientHandle& admin, long long n, std::string& sourceDir) {
    sourceDir = DefineSource();
    FillSource(sourceDir + "/source.db", n);
    MYSQL* m = bench::Connect(admin, nullptr);
    bench::Run(m, "DROP DATABASE IF EXISTS " + kDatabase);
    bench::Run(m, "CREATE DATABASE " + kDatabase);
    bench::Run(m, "USE " + kDatabase);
    return m;
}

} // namespace transferbench
