// Opening a large table: the raw client library (mysql_store_result + mysql_fetch_row over every
// row) against TMySQLQuery opening SELECT * with QueryAllRecords and reading every field of every
// row as text. One mode per process, so that each run's peak memory is its own:
//
//   open_table fill N    (re)creates the table with N rows of mixed types
//   open_table raw       the client library alone
//   open_table query     TMySQLQuery
//   open_table query-stream
//                        TMySQLQuery with StreamRows as well: Open returns with the first rows and
//                        the walk runs while a reader converts the rest beside it (a second core)
//
// Each mode prints "<mode> rows=<n> seconds=<wall time of open and walk> maxrss_kb=<peak>"; the
// query modes also tell on stderr how long the open took and what the row cache holds.
// run_open_table.sh alternates the modes and reports the ratios.
#include "bench_table.h"
#include "data/client_handles.h"
#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using bench::Connect;
using bench::kHost;
using bench::kPassword;
using bench::kUser;
using bench::PeakKb;

const std::string kDatabase = "kt_bench_open_table";

void Report(const char* mode, long long rows, double seconds, std::size_t checksum) {
    std::printf("%s rows=%lld seconds=%.3f maxrss_kb=%ld checksum=%zu\n", mode, rows, seconds,
                PeakKb(), checksum);
}

int Raw() {
    ClientHandle h;
    MYSQL* m = Connect(h, kDatabase.c_str());
    const ClientApi& c = Client();
    const auto start = std::chrono::steady_clock::now();
    if (c.mysql_query(m, "SELECT * FROM t") != 0)
        return 2;
    ClientResult r(c.mysql_store_result(m));
    const unsigned fields = c.mysql_num_fields(r.get());
    long long rows = 0;
    std::size_t checksum = 0;
    while (MYSQL_ROW row = c.mysql_fetch_row(r.get())) {
        const unsigned long* lengths = c.mysql_fetch_lengths(r.get());
        for (unsigned i = 0; i < fields; ++i)
            checksum += row[i] ? lengths[i] + static_cast<unsigned char>(row[i][0]) : 0;
        ++rows;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Report("raw", rows, seconds, checksum);
    return 0;
}

int Query(bool stream) {
    TMySQLDatabase db;
    db.SetHost(kHost);
    db.SetLogin(kUser);
    db.SetPassword(kPassword);
    db.SetDatabase(kDatabase);
    db.Connect();
    TMySQLQuery q;
    q.SetDatabase(&db);
    q.QueryAllRecords = true;
    q.StreamRows = stream;
    q.SetSQLText("SELECT * FROM t");
    const auto start = std::chrono::steady_clock::now();
    q.Open();
    const double openSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    long long rows = 0;
    std::size_t checksum = 0;
    const std::size_t fields = q.FieldCount();
    for (; !q.Eof(); q.Next()) {
        for (std::size_t i = 0; i < fields; ++i) {
            const std::string text = q.Field(i).AsString();
            checksum += text.size() + (text.empty() ? 0 : static_cast<unsigned char>(text[0]));
        }
        ++rows;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Report(stream ? "query-stream" : "query", rows, seconds, checksum);
    std::fprintf(stderr, "open: %.3f s, row cache: %.1f MB\n", openSeconds,
                 q.CacheMemoryBytes() / 1048576.0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!bench::LoadClient())
        return 2;
    try {
        if (mode == "fill" && argc > 2)
            return bench::Fill(kDatabase, std::atoll(argv[2]));
        if (mode == "raw")
            return Raw();
        if (mode == "query" || mode == "query-stream")
            return Query(mode == "query-stream");
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    std::fprintf(stderr, "usage: open_table fill N | raw | query | query-stream\n");
    return 1;
}
