// The transfer through its window, offscreen, against the raw baselines in the same run:
//
//   transfer_window [N] [ROUNDS]   N rows of mixed types (15,000 by default), ROUNDS alternating
//                                  rounds (3)
//     read      a raw ODBC loop: SQLConnect, SQLExecDirect, SQLFetch, SQLGetData of every column
//     insert    a raw batch of the same INSERT statements sent with mysql_real_query over a new
//               connection
//     window    "Exec. MySQL", "Exec. BDE" and "BDE -> MySQL" of the transfer window, both grids
//               bound to their queries as in the program, up to the count report
// Each side's time includes its connecting (the window connects both sides when it executes).
//
// Prints the medians, rows per second and the ratio window / (read + insert).
//
//   transfer_window copy DSN DATABASE TABLE...
//     copies each table of an ODBC data source through the window into the table of the same
//     name and columns in DATABASE (made beforehand), SELECT * on both sides; prints the rows and
//     rows per second of each table and of all of them.
#include "bench_table.h"
#include "transfer_source.h"

#include "data/mysql_query.h"
#include "transfer/odbc_database.h"
#include "transfer/odbc_query.h"
#include "transfer/transfer_window.h"
#include "ui/data_source.h"
#include "ui/prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace transferbench;

// The window's messages are kept instead of shown.
class KeptPrompts : public Prompts {
public:
    QStringList shown;
    void message(const QString& text, PromptIcon) override { shown.append(text); }
    bool askYesNo(const QString& text) override {
        shown.append(text);
        return true;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    int runDialog(QDialog&) override { return 0; }
    void beep() override {}
    void setCursor(CursorShape) override {}
    void processEvents() override { QApplication::processEvents(); }
};

// The window bound to a database and a data source, as the program binds it.
struct BoundWindow {
    BoundWindow(const std::string& databaseName, const std::string& dataSource)
        : database(databaseName) {
        database.Attach(destination);
        destination.RequestLive = true;
        destination.QueryAllRecords = true;
        sourceDb.AliasName = dataSource;
        source.SetDatabase(&sourceDb);
        destinationSource.SetDataSet(&destination);
        sourceSource.SetDataSet(&source);
        form.Bind(
            {&database.db, &destination, &destinationSource, &sourceDb, &source, &sourceSource});
        form.show();
        QApplication::processEvents();
    }
    bench::Database database;
    TMySQLQuery destination;
    TOdbcDatabase sourceDb;
    TOdbcQuery source;
    TDataSource destinationSource, sourceSource;
    TForm1 form;
};

double ThroughTheWindow(MYSQL* m, long long n, KeptPrompts& prompts) {
    ResetTable(m);
    BoundWindow w(kDatabase, kSource);
    const QString select = QStringLiteral("SELECT %1 FROM t").arg(QString::fromLatin1(kColumns));
    w.form.Memo1->setPlainText(select);
    w.form.Memo2->setPlainText(select);

    const auto start = std::chrono::steady_clock::now();
    w.form.Button5->click();
    w.form.Button7->click();
    w.form.Button8->click();
    const double seconds = Since(start);
    const QString expected = QStringLiteral("Source count: %1\n\rDest. count: %1").arg(n);
    if (prompts.shown.isEmpty() || prompts.shown.back() != expected) {
        std::fprintf(stderr, "the window answered: %s\n",
                     prompts.shown.join(QLatin1Char('|')).toLocal8Bit().constData());
        std::exit(2);
    }
    w.form.Button2->click();
    return seconds;
}

int CopyTables(int argc, char** argv, KeptPrompts& prompts) {
    BoundWindow w(argv[3], argv[2]);
    long long all = 0;
    double allSeconds = 0;
    for (int i = 4; i < argc; ++i) {
        const QString select = QStringLiteral("SELECT * FROM %1").arg(QString::fromUtf8(argv[i]));
        w.form.Memo1->setPlainText(select);
        w.form.Memo2->setPlainText(select);
        const auto start = std::chrono::steady_clock::now();
        w.form.Button5->click();
        w.form.Button7->click();
        w.form.Button8->click();
        const double seconds = Since(start);
        const long long rows = w.source.RecordCount();
        std::printf("  %-16s %8lld rows  %8.3f s  %10.0f rows/s\n", argv[i], rows, seconds,
                    rows / seconds);
        std::printf("    %s\n", prompts.shown.value(prompts.shown.size() - 1)
                                    .replace(QLatin1String("\n\r"), QLatin1String(" / "))
                                    .toLocal8Bit()
                                    .constData());
        all += rows;
        allSeconds += seconds;
        w.form.Button6->click();
        w.form.Button3->click();
    }
    std::printf("  all tables       %8lld rows  %8.3f s  %10.0f rows/s\n", all, allSeconds,
                all / allSeconds);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "copy") {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        if (!bench::LoadClient())
            return 1;
        KeptPrompts prompts;
        setPrompts(&prompts);
        const int result = CopyTables(argc, argv, prompts);
        setPrompts(nullptr);
        return result;
    }
    const long long n = argc > 1 ? std::atoll(argv[1]) : 15000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!bench::LoadClient())
        return 1;
    ClientHandle admin;
    std::string dir;
    MYSQL* m = PrepareSourceAndDatabase(admin, n, dir);
    KeptPrompts prompts;
    setPrompts(&prompts);
    std::vector<double> reads, insertTimes, windows;
    std::vector<std::string> inserts;
    try {
        for (int r = 0; r < rounds; ++r) {
            reads.push_back(RawRead(m, inserts));
            insertTimes.push_back(RawInsert(m, inserts));
            windows.push_back(ThroughTheWindow(m, n, prompts));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    setPrompts(nullptr);
    bench::Run(m, "DROP DATABASE IF EXISTS " + kDatabase);
    std::system(("rm -rf " + dir).c_str());
    const double read = Median(reads), insert = Median(insertTimes), window = Median(windows);
    std::printf("N=%lld rows, median of %d alternating rounds\n", n, rounds);
    std::printf("  raw ODBC read loop   : %8.3f s\n", read);
    std::printf("  raw INSERT batch     : %8.3f s\n", insert);
    std::printf("  through the window   : %8.3f s  %10.0f rows/s\n", window, n / window);
    std::printf("  ratio window / (read + insert) : %.2f\n", window / (read + insert));
    return 0;
}
