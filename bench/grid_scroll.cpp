// The data grid over a large table, offscreen: the time from opening the statement to the first
// painted screen, and from there a jump to the last row (Ctrl+End) and back to the first
// (Ctrl+Home), each until painted. The raw client library gives the yardsticks: store the result
// and read one screen of rows, or store it and read every row. One mode per process:
//
//   grid_scroll fill N      (re)creates the table with N rows of mixed types
//   grid_scroll drop        drops the benchmark database
//   grid_scroll raw-screen  mysql_store_result + the first 40 rows
//   grid_scroll raw-all     mysql_store_result + every row
//   grid_scroll grid        TMySQLQuery (rows read as the grid asks) in a TDBGrid
//   grid_scroll grid-all    the same with QueryAllRecords (every row read at open)
//
// Each prints "<mode> rows=<n> open=<s> open_paint=<s> last_paint=<s> first_paint=<s>
// maxrss_kb=<peak>" (open: the dataset's own open; the raw modes print only open_paint).
// run_grid_scroll.sh alternates them and reports ratios.
#include "data/client_handles.h"
#include "data/db_error.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "ui/data_source.h"
#include "ui/db_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* Env(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

const std::string kHost = Env("KESTREL_BENCH_HOST", "127.0.0.1");
const std::string kUser = Env("KESTREL_BENCH_USER", "root");
const std::string kPassword = Env("KESTREL_BENCH_PASSWORD", "kestrel");
const std::string kDatabase = "kt_grid_bench";
constexpr int kScreenRows = 40;

using Clock = std::chrono::steady_clock;
double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

MYSQL* Connect(ClientHandle& h, const char* db) {
    MYSQL* m = h.Init();
    if (!Client().mysql_real_connect(m, kHost.c_str(), kUser.c_str(), kPassword.c_str(), db, 3306,
                                     nullptr, 0)) {
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

int Fill(long long n) {
    ClientHandle h;
    MYSQL* m = Connect(h, nullptr);
    Run(m, "CREATE DATABASE IF NOT EXISTS " + kDatabase);
    Run(m, "USE " + kDatabase);
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

int Drop() {
    ClientHandle h;
    Run(Connect(h, nullptr), "DROP DATABASE IF EXISTS " + kDatabase);
    return 0;
}

int Raw(bool everyRow) {
    ClientHandle h;
    MYSQL* m = Connect(h, kDatabase.c_str());
    const ClientApi& c = Client();
    const auto start = Clock::now();
    if (c.mysql_query(m, "SELECT * FROM t") != 0)
        return 2;
    ClientResult r(c.mysql_store_result(m));
    const unsigned fields = c.mysql_num_fields(r.get());
    long long rows = 0;
    std::size_t checksum = 0;
    while ((everyRow || rows < kScreenRows) && (c.mysql_fetch_row(r.get()) != nullptr)) {
        const unsigned long* lengths = c.mysql_fetch_lengths(r.get());
        for (unsigned i = 0; i < fields; ++i)
            checksum += lengths[i];
        ++rows;
    }
    const double seconds = Since(start);
    std::printf("%s rows=%llu open_paint=%.3f maxrss_kb=%ld checksum=%zu\n",
                everyRow ? "raw-all" : "raw-screen",
                static_cast<unsigned long long>(c.mysql_num_rows(r.get())), seconds, PeakKb(),
                checksum);
    return 0;
}

// Lets the grid lay out and ask for its rows, then paints its viewport.
void Paint(TDBGrid& grid) {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    grid.viewport()->grab();
}

int Grid(bool allRecords) {
    TMySQLDatabase db;
    db.SetHost(kHost);
    db.SetLogin(kUser);
    db.SetPassword(kPassword);
    db.SetDatabase(kDatabase);
    db.Connect();
    TMySQLQuery q;
    q.SetDatabase(&db);
    q.QueryAllRecords = allRecords;
    q.RequestLive = true;
    q.SetSQLText("SELECT * FROM t");
    TDataSource source;
    source.SetDataSet(&q);
    TDBGrid grid;
    grid.resize(764, 40 + kScreenRows * 18);
    grid.verticalHeader()->setDefaultSectionSize(18);
    grid.setDataSource(&source);
    grid.show();
    QApplication::processEvents();

    auto start = Clock::now();
    q.Open();
    const double open = Since(start);
    Paint(grid);
    const double openPaint = Since(start);

    grid.setFocus();
    start = Clock::now();
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    Paint(grid);
    const double lastPaint = Since(start);
    const bool atLast = q.RecNo() == q.RecordCount() && grid.currentIndex().row() + 1 == q.RecNo();

    start = Clock::now();
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    Paint(grid);
    const double firstPaint = Since(start);
    const bool atFirst = q.RecNo() == 1 && grid.currentIndex().row() == 0;

    std::printf("%s rows=%lld open=%.3f open_paint=%.3f last_paint=%.3f first_paint=%.3f "
                "maxrss_kb=%ld\n",
                allRecords ? "grid-all" : "grid", static_cast<long long>(q.RecordCount()), open,
                openPaint, lastPaint, firstPaint, PeakKb());
    if (!atLast || !atFirst) {
        std::fprintf(stderr, "the grid did not reach the last and first rows\n");
        return 3;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!LoadClientLibrary([](const std::string& t) { std::fprintf(stderr, "%s\n", t.c_str()); }))
        return 2;
    try {
        if (mode == "fill" && argc > 2)
            return Fill(std::atoll(argv[2]));
        if (mode == "drop")
            return Drop();
        if (mode == "raw-screen" || mode == "raw-all")
            return Raw(mode == "raw-all");
        if (mode == "grid" || mode == "grid-all") {
            QApplication app(argc, argv);
            return Grid(mode == "grid-all");
        }
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    std::fprintf(stderr,
                 "usage: grid_scroll fill N | drop | raw-screen | raw-all | grid | grid-all\n");
    return 1;
}
