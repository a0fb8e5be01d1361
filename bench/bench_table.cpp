#include "bench_table.h"

#include "data/client_library.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {
const char* Env(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}
} // namespace

const std::string kHost = Env("KESTREL_BENCH_HOST", "127.0.0.1");
const std::string kUser = Env("KESTREL_BENCH_USER", "root");
const std::string kPassword = Env("KESTREL_BENCH_PASSWORD", "kestrel");

long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

MYSQL* Connect(ClientHandle& h, const char* database) {
    MYSQL* m = h.Init();
    if (!Client().mysql_real_connect(m, kHost.c_str(), kUser.c_str(), kPassword.c_str(), database,
                                     3306, nullptr, 0)) {
        std::fprintf(stderr, "connect: %s\n", ClientErrorText(m).c_str());
        std::exit(2);
    }
    return m;
}

void Run(MYSQL* m, const std::string& sql) {
    if (Client().mysql_query(m, sql.c_str()) != 0) {
        std::fprintf(stderr, "%s: %s\n", sql.c_str(), ClientErrorText(m).c_str());
        std::exit(2);
    }
    ClientResult r(Client().mysql_store_result(m));
}

int Fill(const std::string& database, long long n) {
    ClientHandle h;
    MYSQL* m = Connect(h, nullptr);
    Run(m, "CREATE DATABASE IF NOT EXISTS " + database);
    Run(m, "USE " + database);
    Run(m, "DROP TABLE IF EXISTS t");
    Run(m, "CREATE TABLE t (id INT PRIMARY KEY, big BIGINT, d DOUBLE, amount DECIMAL(12,2), "
           "name VARCHAR(40), code VARCHAR(20), day DATE, moment DATETIME, note TEXT)");
    Run(m, "INSERT INTO t SELECT seq, seq * 1000003, seq / 7, seq * 1.25, "
           "CONCAT('customer name ', seq), LEFT(MD5(seq), 1 + seq % 20), "
           "'2000-01-01' + INTERVAL seq % 9000 DAY, "
           "'2000-01-01 08:00:00' + INTERVAL seq * 37 SECOND, "
           "CONCAT('a note of moderate length for row number ', seq) FROM seq_1_to_" +
               std::to_string(n));
    std::printf("filled %lld rows\n", n);
    return 0;
}

int Drop(const std::string& database) {
    ClientHandle h;
    Run(Connect(h, nullptr), "DROP DATABASE IF EXISTS " + database);
    return 0;
}

bool LoadClient() {
    return LoadClientLibrary([](const std::string& t) { std::fprintf(stderr, "%s\n", t.c_str()); });
}

Database::Database(const std::string& name) {
    db.SetHost(kHost);
    db.SetLogin(kUser);
    db.SetPassword(kPassword);
    db.SetDatabase(name);
    transact.SetDatabase(&db);
}

void Database::Attach(TMySQLQuery& query) {
    query.SetDatabase(&db);
    query.SetTransaction(&transact);
}

} // namespace bench
