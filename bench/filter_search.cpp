// Filtering, searching and refreshing a large cached result against hand-written loops over the
// same cells and the raw client library, in one run:
//
//   filter_search fill N   (re)creates kt_bench_filter.t with N rows (id, qty, name)
//   filter_search run      opens it with every row cached, then measures
//     - the filter QTY > 10 AND NAME LIKE 'a*' over every row against a loop testing the same
//       cells, and the heap allocations per row of the filter;
//     - Locate of the last row's name (exact, and partial without regard to case) against a loop
//       comparing the cells;
//     - Refresh against the raw client library doing what a refresh does: mysql_store_result +
//       mysql_fetch_row over the same statement, then a search of the stored rows for the
//       current row's key (mysql_data_seek to the start, the key column compared row by row),
//       each measured.
// Each figure is the median of ROUNDS (default 5) repetitions.
#include "bench_table.h"
#include "data/client_handles.h"
#include "data/db_error.h"
#include "data/filter_like.h"
#include "data/mysql_query.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::atomic<long long> allocations{0};

} // namespace

void* operator new(std::size_t n) {
    ++allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

const std::string kDatabase = "kt_bench_filter";
const char* kStatement = "SELECT id, qty, name FROM t";

int Rounds() {
    const char* r = std::getenv("ROUNDS");
    return r && std::atoi(r) > 0 ? std::atoi(r) : 5;
}

double Median(const std::function<void()>& f) {
    std::vector<double> times;
    for (int i = 0; i < Rounds(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int Fill(long long n) {
    ClientHandle h;
    MYSQL* m = bench::Connect(h, nullptr);
    bench::Run(m, "CREATE DATABASE IF NOT EXISTS " + kDatabase);
    bench::Run(m, "USE " + kDatabase);
    bench::Run(m, "DROP TABLE IF EXISTS t");
    bench::Run(m, "CREATE TABLE t (id INT PRIMARY KEY, qty INT, name VARCHAR(30))");
    bench::Run(m, "INSERT INTO t SELECT seq, seq % 23, CONCAT(CHAR(97 + seq % 26), "
                  "'rticle number ', seq) FROM seq_1_to_" +
                      std::to_string(n));
    std::printf("filled %lld rows\n", n);
    return 0;
}

void Line(const char* what, double seconds, double baseline, const char* baselineName) {
    std::printf("  %-34s %8.1f ms   %6.2f x %s\n", what, seconds * 1000, seconds / baseline,
                baselineName);
}

int Run() {
    bench::Database database(kDatabase);
    database.db.Connect();
    TMySQLQuery q;
    q.SetDatabase(&database.db);
    q.QueryAllRecords = true;
    q.SetSQLText(kStatement);
    q.Open();
    const std::size_t rows = q.CachedRowCount();
    const std::size_t qty = q.FieldByName("qty").Index(), name = q.FieldByName("name").Index();
    std::printf("rows=%zu (median of %d)\n", rows, Rounds());

    // The filter against a loop testing the same cells.
    std::size_t loopCount = 0;
    const double loop = Median([&] {
        loopCount = 0;
        for (std::size_t r = 0; r < rows; ++r) {
            const ValueView v = q.CachedValue(r, qty), t = q.CachedValue(r, name);
            if (!v.null && v.i > 10 && !t.text.empty() && (t.text[0] | 0x20) == 'a')
                ++loopCount;
        }
    });
    q.SetFilter("QTY > 10 AND NAME LIKE 'a*'");
    std::int64_t filterCount = 0;
    long long filterAllocations = 0;
    const double filter = Median([&] {
        q.SetFiltered(false);
        q.SetFiltered(true);
        const long long before = allocations;
        filterCount = q.ReadViewRowsUpTo(static_cast<std::int64_t>(rows) + 1);
        filterAllocations = allocations - before;
    });
    q.SetFiltered(false);
    std::printf("filter QTY > 10 AND NAME LIKE 'a*': %lld rows (loop %zu), %.4f heap "
                "allocations per row\n",
                static_cast<long long>(filterCount), loopCount,
                static_cast<double>(filterAllocations) / static_cast<double>(rows));
    Line("hand-written loop", loop, loop, "loop");
    Line("Filtered (view rows over all rows)", filter, loop, "loop");

    // Locate the last row by its name.
    const std::string target(q.CachedValue(rows - 1, name).text);
    std::string prefix = target.substr(0, target.size() - 1);
    for (char& c : prefix)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::size_t found = 0;
    const double locateLoop = Median([&] {
        for (std::size_t r = 0; r < rows; ++r)
            if (q.CachedValue(r, name).text == target) {
                found = r;
                break;
            }
    });
    const double locate = Median([&] {
        q.First();
        if (!q.Locate("name", {target}))
            std::exit(3);
    });
    const double foldLoop = Median([&] {
        for (std::size_t r = 0; r < rows; ++r) {
            const std::string_view t = q.CachedValue(r, name).text;
            std::size_t i = 0, j = 0;
            bool match = true;
            while (j < prefix.size() && match)
                match = i < t.size() &&
                        FoldCase(NextCodePoint(t, i)) == FoldCase(NextCodePoint(prefix, j));
            if (match) {
                found = r;
                break;
            }
        }
    });
    const double locatePartial = Median([&] {
        q.First();
        if (!q.Locate("name", {prefix}, loPartialKey | loCaseInsensitive))
            std::exit(3);
    });
    std::printf("Locate of the last row (found at %zu):\n", found);
    Line("hand-written loop, exact", locateLoop, locateLoop, "loop");
    Line("Locate, exact", locate, locateLoop, "loop");
    Line("hand-written loop, folded prefix", foldLoop, foldLoop, "loop");
    Line("Locate, partial and case-insensitive", locatePartial, foldLoop, "loop");

    // Refresh against the raw client library reading the same rows and then finding the current
    // row again by its key in what it read.
    const std::size_t middle = rows / 2;
    const std::size_t id = q.FieldByName("id").Index();
    const std::string key(q.CachedValue(middle - 1, id).text);
    ClientHandle h;
    MYSQL* m = bench::Connect(h, kDatabase.c_str());
    const ClientApi& c = Client();
    std::size_t checksum = 0, keyRow = 0;
    const auto StoreAndFetch = [&] {
        if (c.mysql_query(m, kStatement) != 0)
            std::exit(2);
        ClientResult r(c.mysql_store_result(m));
        while (MYSQL_ROW row = c.mysql_fetch_row(r.get())) {
            const unsigned long* lengths = c.mysql_fetch_lengths(r.get());
            checksum += lengths[2] + (row[0] ? static_cast<unsigned char>(row[0][0]) : 0);
        }
        return r;
    };
    const double raw = Median([&] { StoreAndFetch(); });
    const double rawFind = Median([&] {
        ClientResult r = StoreAndFetch();
        c.mysql_data_seek(r.get(), 0);
        keyRow = 0;
        for (std::size_t n = 1; MYSQL_ROW row = c.mysql_fetch_row(r.get()); ++n) {
            const unsigned long* lengths = c.mysql_fetch_lengths(r.get());
            if (row[0] && std::string_view(row[0], lengths[0]) == key) {
                keyRow = n;
                break;
            }
        }
    });
    if (keyRow != middle)
        std::exit(4);
    q.SetRecNo(static_cast<std::int64_t>(middle));
    const double refresh = Median([&] { q.Refresh(); });
    if (q.RecNo() != static_cast<std::int64_t>(middle))
        std::exit(4);
    std::printf("Refresh with %zu rows cached, the middle row current (checksum %zu):\n", rows,
                checksum % 1000);
    Line("raw store + fetch", raw, raw, "raw");
    Line("raw store + fetch + find the key", rawFind, rawFind, "raw+find");
    Line("Refresh", refresh, rawFind, "raw+find");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!bench::LoadClient())
        return 2;
    try {
        if (mode == "fill" && argc > 2)
            return Fill(std::atoll(argv[2]));
        if (mode == "run")
            return Run();
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    std::fprintf(stderr, "usage: filter_search fill N | run\n");
    return 1;
}
