// Cached updates over a large table, against the raw client library in the same run:
//
//   live_updates fill N   (re)creates the benchmark table with N rows (1,000,000 by default)
//   live_updates commit [K]  the deletes and CommitUpdates alone
//   live_updates run [K]  with K changes (10,000 by default):
//     posts   K cached edits posted into the cache of every row of the table
//     apply   ApplyUpdates of those K changes, against a raw loop sending UPDATE statements of
//             the same shape with mysql_real_query (alternating, once before and once after,
//             fresh values each time) to the next K rows: a raw write to the rows being applied
//             would be another user's change of the edited column, which the apply refuses
//     commit  CommitUpdates after K cached deletes
//
// Prints one line per measure and the ratio of apply to the raw loop.
#include "bench_table.h"
#include "data/client_handles.h"
#include "data/db_error.h"
#include "data/mysql_query.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string kDatabase = "kt_bench_live_updates";

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string NewName(const char* tag, int round, long long id) {
    return std::string(tag) + " " + std::to_string(round) + " " + std::to_string(id);
}

// The K edits of one round: the name of rows 1..K.
void PostEdits(TMySQLQuery& q, long long k, int round) {
    q.First();
    for (long long i = 0; i < k && !q.Eof(); ++i) {
        q.Edit();
        q.FieldByName("name").SetAsString(NewName("live", round, q.FieldByName("id").AsInteger()));
        q.Post();
        q.Next();
    }
}

double RawLoop(MYSQL* m, long long k, int round) {
    const ClientApi& c = Client();
    const auto start = std::chrono::steady_clock::now();
    for (long long id = k + 1; id <= 2 * k; ++id) {
        const std::string sql = "UPDATE t SET name='" + NewName("raw", round, id) +
                                "' WHERE id = " + std::to_string(id);
        if (c.mysql_real_query(m, sql.data(), static_cast<unsigned long>(sql.size())) != 0) {
            std::fprintf(stderr, "%s\n", c.mysql_error(m));
            std::exit(2);
        }
    }
    return Since(start);
}

void ApplyAgainstRaw(TMySQLQuery& q, long long k);

int Run(long long k, bool commitOnly) {
    bench::Database database(kDatabase);
    TMySQLQuery q;
    database.Attach(q);
    q.RequestLive = true;
    q.CachedUpdates = true;
    q.QueryAllRecords = true;
    q.SetSQLText("SELECT * FROM t");
    auto start = std::chrono::steady_clock::now();
    q.Open();
    std::printf("open      rows=%lld seconds=%.3f\n", static_cast<long long>(q.RecordCount()),
                Since(start));

    if (!commitOnly)
        ApplyAgainstRaw(q, k);
    q.First();
    for (long long i = 0; i < k && !q.Eof(); ++i)
        q.Delete();
    start = std::chrono::steady_clock::now();
    q.CommitUpdates();
    std::printf("commit    deletes=%lld seconds=%.4f rows_left=%lld\n", k, Since(start),
                static_cast<long long>(q.RowsRead()));
    return 0;
}

void ApplyAgainstRaw(TMySQLQuery& q, long long k) {
    ClientHandle raw;
    MYSQL* m = bench::Connect(raw, kDatabase.c_str());
    double applySeconds = 0, rawSeconds = 0, postSeconds = 0;
    for (int round = 0; round < 2; ++round) {
        auto start = std::chrono::steady_clock::now();
        PostEdits(q, k, round);
        const double posts = Since(start);
        postSeconds = round == 0 ? posts : std::min(postSeconds, posts);
        if (round % 2 == 0)
            rawSeconds += RawLoop(m, k, round);
        start = std::chrono::steady_clock::now();
        q.ApplyUpdates();
        applySeconds += Since(start);
        if (round % 2 == 1)
            rawSeconds += RawLoop(m, k, round);
        q.CommitUpdates();
    }
    std::printf("posts     changes=%lld seconds=%.4f (best of 2)\n", k, postSeconds);
    std::printf("apply     changes=%lld seconds=%.3f (2 rounds)\n", k, applySeconds);
    std::printf("raw loop  updates=%lld seconds=%.3f (2 rounds)\n", k, rawSeconds);
    std::printf("ratio     apply / raw = %.3f\n", applySeconds / rawSeconds);
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!bench::LoadClient())
        return 1;
    try {
        if (mode == "fill")
            return bench::Fill(kDatabase, argc > 2 ? std::atoll(argv[2]) : 1000000);
        if (mode == "run")
            return Run(argc > 2 ? std::atoll(argv[2]) : 10000, false);
        if (mode == "commit") // the deletes and CommitUpdates alone
            return Run(argc > 2 ? std::atoll(argv[2]) : 10000, true);
        if (mode == "drop")
            return bench::Drop(kDatabase);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: live_updates fill [N] | run [K] | drop\n");
    return 1;
}
