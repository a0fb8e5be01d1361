// "Dump databse" against the test server.
#include "tables/database_dump.h"
#include "tables_fixture.h"

#include "data/sql_names.h"
#include "support/statement_watch.h"
#include "ui/radio_group.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr const char* kDb = "kt_tables_dump";

// An enumeration of 40 values, over 300 characters as the server writes its type.
std::string LongEnum() {
    std::string values;
    for (int i = 0; i < 40; ++i)
        values += (i ? ",'value_" : "'value_") + std::to_string(10 + i) + "'";
    return "enum(" + values + ")";
}

class DatabaseDumpTest : public TablesTest {
protected:
    void SetUp() override {
        TablesTest::SetUp();
        ChooseRoot();
    }

    // Selects the database in RadioGroup1 after reading the list, as a click would.
    void SelectDatabase(const std::string& name) {
        Trigger("ShowDatabases1");
        window->RadioGroup1->setItemIndex(
            window->RadioGroup1->items().indexOf(QString::fromStdString(name)));
        ForgetPrompts();
    }

    void WriteEarlierReport() {
        QFile file(ReportPath(kDumpReportName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier\r\n");
    }
};

} // namespace

TEST_F(DatabaseDumpTest, KnownDatabase) {
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE clients (id INT NOT NULL AUTO_INCREMENT, "
              "customer_reference_code_long_x INT, "
              "`šifra_čvorišta_županijskog_središta` VARCHAR(10), "
              "size ENUM('small','medium','large') DEFAULT 'small', kind " +
                  LongEnum() +
                  ", f6 INT, f7 INT, f8 INT, f9 INT, f10 CHAR(2) NOT NULL DEFAULT 'hr', "
                  "changed DATETIME DEFAULT CURRENT_TIMESTAMP ON UPDATE CURRENT_TIMESTAMP, "
                  "PRIMARY KEY (id), UNIQUE KEY by_ref (customer_reference_code_long_x), "
                  "KEY by_size (size, f6))");
    Exec(kDb, "CREATE TABLE notes (body TEXT)");
    Exec(kDb, "CREATE TABLE gone (x INT)");
    Exec(kDb, "CREATE VIEW broken AS SELECT x FROM gone");
    Exec(kDb, "DROP TABLE gone");
    SelectDatabase(kDb);
    Trigger("Dumpdatabse1");
    EXPECT_TRUE(prompts.shown.isEmpty()) << prompts.shown.join('|').toStdString();
    EXPECT_EQ(window->edtDatabase->text(), QString::fromLatin1(kDb));
    EXPECT_EQ(launched.files, QStringList({ReportPath(kDumpReportName)}));
    EXPECT_FALSE(window->AdminHandle);
    const QString viewError = QStringLiteral(
        "View 'kt_tables_dump.broken' references invalid table(s) or column(s) or function(s) or "
        "definer/invoker of view lack rights to use them");
    // The enumeration after its first 15 characters, below the type column, with one blank.
    const QString longEnumRest =
        QString(32, ' ') + QString::fromStdString(LongEnum()).mid(15) + QLatin1Char(' ');
    const QStringList expected{
        "",
        "Structure of kt_tables_dump database:",
        "",
        "broken table:",
        "Definition",
        "",
        "     Field name                 Type             NULL Key Default     Extra           ",
        viewError,
        "",
        "KEYinfo:",
        "",
        "     KEYName\t\tSeque.\tFIELDName\tCollat.\tCardin.\tSubpart",
        viewError,
        "",
        "",
        "clients table:",
        "Definition",
        "",
        "     Field name                 Type             NULL Key Default     Extra           ",
        "  1. id                         int(11)          NO   PRI             auto_increment  ",
        "  2. customer_reference_code_l  int(11)          YES  UNI                             ",
        "     ong_x                                       ",
        "  3. šifra_čvorišta_županijsko  varchar(10)      YES                                  ",
        "     g_središta                                  ",
        "  4. size                       enum('small','m  YES  MUL small                       ",
        "                                edium','large')  ",
        "  5. kind                       enum('value_10'  YES                                  ",
        longEnumRest,
        "  6. f6                         int(11)          YES                                  ",
        "  7. f7                         int(11)          YES                                  ",
        "  8. f8                         int(11)          YES                                  ",
        "  9. f9                         int(11)          YES                                  ",
        " 10. f10                        char(2)          NO       hr                          ",
        " 11. changed                    datetime         YES      current_timestamp() on update "
        "current_timestamp() ",
        "",
        "KEYinfo:",
        "",
        "     KEYName\t\tSeque.\tFIELDName\tCollat.\tCardin.\tSubpart",
        "  1. PRIMARY\tunique\t1\tid\tA\t0\t",
        "  2. by_ref\tunique\t1\tcustomer_reference_code_long_x\tA\t0\t",
        "  3. by_size\tnot unique\t1\tsize\tA\t0\t",
        "  4. by_size\tnot unique\t2\tf6\tA\t0\t",
        "",
        "",
        "notes table:",
        "Definition",
        "",
        "     Field name                 Type             NULL Key Default     Extra           ",
        "  1. body                       text             YES                                  ",
        "",
        "KEYinfo:",
        "",
        "     KEYName\t\tSeque.\tFIELDName\tCollat.\tCardin.\tSubpart",
        "",
        "",
    };
    EXPECT_EQ(Report(kDumpReportName).toStdString(), CrLfLines(expected).toStdString());
}

TEST_F(DatabaseDumpTest, AnEmptyDatabaseInCroatian) {
    CreateDatabase("kt_tables_dump_empty");
    SelectDatabase("kt_tables_dump_empty");
    SetCroatian();
    Trigger("Dumpdatabse1");
    EXPECT_EQ(Report(kDumpReportName), CrLfLines({"", "Struktura kt_tables_dump_empty baze:", ""}));
    EXPECT_EQ(launched.files.size(), 1);
}

TEST_F(DatabaseDumpTest, NothingWithoutADatabaseAndNoFileWithoutItsData) {
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE t (id INT)");
    WriteEarlierReport();
    // No database selected.
    Trigger("Dumpdatabse1");
    EXPECT_TRUE(prompts.shown.isEmpty());

    // A refused login: its text, and the earlier report stays.
    SelectDatabase(kDb);
    window->edtPasswd->setText(QStringLiteral("wrong"));
    Trigger("Dumpdatabse1");
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].startsWith("Access denied")) << prompts.shown[0].toStdString();
    EXPECT_EQ(Report(kDumpReportName), QByteArray("earlier\r\n"));
    EXPECT_TRUE(launched.files.isEmpty());
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(DatabaseDumpTest, ManyTablesShowProgressAndCanBeCancelled) {
    CreateDatabase(kDb);
    for (int i = 0; i < 40; ++i)
        Exec(kDb, "CREATE TABLE t" + std::to_string(i) + " (id INT PRIMARY KEY)");
    WriteEarlierReport();
    SelectDatabase(kDb);

    // The operator presses Cancel once three tables are done.
    QString seen;
    QTimer operatorHand;
    QObject::connect(&operatorHand, &QTimer::timeout, [&] {
        auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("dumpProgress"));
        if (progress && progress->value() >= 3 && !progress->wasCanceled()) {
            seen = progress->labelText();
            progress->cancel();
        }
    });
    operatorHand.start(0);
    Trigger("Dumpdatabse1");
    operatorHand.stop();
    EXPECT_EQ(seen, QStringLiteral("Tables done: 3 of 40"));
    EXPECT_EQ(Report(kDumpReportName), QByteArray("earlier\r\n"));
    EXPECT_TRUE(launched.files.isEmpty());
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(window->findChild<QProgressDialog*>(), nullptr);
    EXPECT_FALSE(window->AdminHandle);

    // Not cancelled, every table is written.
    Trigger("Dumpdatabse1");
    EXPECT_EQ(Report(kDumpReportName).count("table:\r\n"), 40);
    EXPECT_EQ(launched.files.size(), 1);
}

TEST_F(DatabaseDumpTest, AStatementOfTheDumpThatWaitsCanBeStoppedAndKeepsTheEarlierReport) {
    CreateDatabase(kDb);
    Exec(kDb, "CREATE TABLE a_first (id INT)");
    WriteEarlierReport();
    SelectDatabase(kDb);
    // Another client creates a table from a slow SELECT: describing it waits until that ends.
    std::atomic<bool> creating{false};
    std::jthread creator([&] {
        testserver::RootConnection other;
        creating = true;
        other.Exec(std::string("CREATE TABLE ") + kDb + ".b_slow SELECT SLEEP(4) AS s");
    });
    while (!creating)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::Stop);
        Trigger("Dumpdatabse1");
        watch.CommandEnded();
        EXPECT_TRUE(watch.stopEnabled);
        EXPECT_GT(watch.paints, 0);
        EXPECT_GE(watch.EndedAfterActionMs(), 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    window->hide();
    EXPECT_EQ(prompts.shown, QStringList({"Stopped by the operator"}));
    EXPECT_EQ(Report(kDumpReportName), QByteArray("earlier\r\n"));
    EXPECT_TRUE(launched.files.isEmpty());
    EXPECT_FALSE(window->AdminHandle);
}
