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
//   grid_scroll grid-stream TMySQLQuery with StreamRows and QueryAllRecords, as the main window
//                           opens a table: the rows after the first screen arrive beside the
//                           window (the window's runner installed) while it paints
//
// Each prints "<mode> rows=<n> open=<s> open_paint=<s> last_paint=<s> first_paint=<s>
// maxrss_kb=<peak>" (open: the dataset's own open; the raw modes print only open_paint);
// grid-stream adds shown=<rows arrived at the first paint>.
// run_grid_scroll.sh alternates them and reports ratios.
#include "bench_table.h"
#include "data/client_handles.h"
#include "data/db_error.h"
#include "data/mysql_query.h"
#include "ui/data_source.h"
#include "ui/db_grid.h"
#include "ui/statement_runner.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using bench::Connect;
using bench::PeakKb;

const std::string kDatabase = "kt_grid_bench";
constexpr int kScreenRows = 40;

using Clock = std::chrono::steady_clock;
double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
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

int Grid(bool allRecords, bool stream) {
    bench::Database database(kDatabase); // a live grid writes its rows back through its link
    database.db.Connect();
    TMySQLQuery q;
    database.Attach(q);
    q.QueryAllRecords = allRecords;
    q.StreamRows = stream;
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
    // As in the main window: statements beside the window, streamed rows told to it.
    const StatementRunner runner(&grid);

    auto start = Clock::now();
    q.Open();
    const double open = Since(start);
    Paint(grid);
    const double openPaint = Since(start);
    const long long shown = q.RowsArrived();

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
                "maxrss_kb=%ld shown=%lld\n",
                stream       ? "grid-stream"
                : allRecords ? "grid-all"
                             : "grid",
                static_cast<long long>(q.RecordCount()), open, openPaint, lastPaint, firstPaint,
                PeakKb(), shown);
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
    if (!bench::LoadClient())
        return 2;
    try {
        if (mode == "fill" && argc > 2)
            return bench::Fill(kDatabase, std::atoll(argv[2]));
        if (mode == "drop")
            return bench::Drop(kDatabase);
        if (mode == "raw-screen" || mode == "raw-all")
            return Raw(mode == "raw-all");
        if (mode == "grid" || mode == "grid-all" || mode == "grid-stream") {
            QApplication app(argc, argv);
            return Grid(mode != "grid", mode == "grid-stream");
        }
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    std::fprintf(stderr,
                 "usage: grid_scroll fill N | drop | raw-screen | raw-all | grid | grid-all | "
                 "grid-stream\n");
    return 1;
}
