// "View table" and "Print struct" against the test server.
#include "tables/structure_grid.h"
#include "tables/structure_window.h"
#include "tables_fixture.h"

#include "ui/radio_group.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr const char* kDb = "kt_tables_view";

// Every cell of a grid as the print sees it: row 0 the titles, column 0 the row numbers.
std::vector<QStringList> Cells(const StructureGrid& grid) {
    std::vector<QStringList> rows;
    for (int r = 0; r < grid.RowCount(); ++r) {
        QStringList& row = rows.emplace_back();
        for (int c = 0; c < grid.ColCount(); ++c)
            row.append(grid.Cell(c, r));
    }
    return rows;
}

class StructureWindowTest : public TablesTest {
protected:
    void SetUp() override {
        TablesTest::SetUp();
        CreateDatabase(kDb);
        Exec(kDb, "CREATE TABLE people (id INT NOT NULL AUTO_INCREMENT, name VARCHAR(30) NOT NULL, "
                  "town VARCHAR(20) DEFAULT 'Split', PRIMARY KEY (id), UNIQUE KEY by_name (name), "
                  "KEY by_town (town))");
        Exec(kDb, "CREATE TABLE loose (a INT, b TEXT)");
        ChooseRoot();
        ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
        ForgetPrompts();
    }

    // Opens the structure of table and hands the window to look before it closes.
    void View(const QString& table, std::function<void(TfrmPropstbl&)> look) {
        ASSERT_NO_FATAL_FAILURE(SelectTable(table));
        prompts.dialogs.push_back([look](QDialog& d) { look(static_cast<TfrmPropstbl&>(d)); });
        Trigger("Viewtable1");
    }
};

} // namespace

TEST_F(StructureWindowTest, TwelveFieldsNumberedToLineUp) {
    std::string columns = "f1 INT";
    for (int i = 2; i <= 12; ++i)
        columns += ", f" + std::to_string(i) + " INT";
    Exec(kDb, "CREATE TABLE twelve (" + columns + ")");
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    bool seen = false;
    View(QStringLiteral("twelve"), [&](TfrmPropstbl& form) {
        seen = true;
        EXPECT_EQ(form.windowTitle(), QStringLiteral("View MySQL table structure: twelve"));
        EXPECT_EQ(form.StringGrid1->RowCount(), 13);
        EXPECT_EQ(form.StringGrid1->ColCount(), 7);
        EXPECT_EQ(form.StringGrid1->Cell(0, 1), QStringLiteral("  1."));
        EXPECT_EQ(form.StringGrid1->Cell(0, 9), QStringLiteral("  9."));
        EXPECT_EQ(form.StringGrid1->Cell(0, 10), QStringLiteral(" 10."));
        EXPECT_EQ(form.StringGrid1->Cell(0, 12), QStringLiteral(" 12."));
        EXPECT_EQ(form.StringGrid1->Cell(1, 12), QStringLiteral("f12"));
        // No keys: the index grid has its title row only.
        EXPECT_EQ(Cells(*form.StringGrid2).size(), 1u);
        EXPECT_EQ(form.StringGrid2->ColCount(), 8);
    });
    EXPECT_TRUE(seen);
    EXPECT_EQ(prompts.shown, QStringList({"frmPropstbl"}));
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(StructureWindowTest, FieldsAndKeysInTheLanguageOfFilling) {
    const QStringList fieldTitles{"", "Field name", "Type", "NULL", "Key", "Default", "Extra"};
    const QStringList keyTitles{"",          "KEYName", "",        "Seque.",
                                "FIELDName", "Collat.", "Cardin.", "Subpart"};
    View(QStringLiteral("people"), [&](TfrmPropstbl& form) {
        const std::vector<QStringList> fields = Cells(*form.StringGrid1);
        ASSERT_EQ(fields.size(), 4u);
        EXPECT_EQ(fields[0], fieldTitles);
        EXPECT_EQ(fields[1],
                  QStringList({"  1.", "id", "int(11)", "NO", "PRI", "", "auto_increment"}));
        EXPECT_EQ(fields[3],
                  QStringList({"  3.", "town", "varchar(20)", "YES", "MUL", "Split", ""}));
        const std::vector<QStringList> keys = Cells(*form.StringGrid2);
        ASSERT_EQ(keys.size(), 4u);
        EXPECT_EQ(keys[0], keyTitles);
        EXPECT_EQ(keys[1], QStringList({"  1.", "PRIMARY", "unique", "1", "id", "A", "0", ""}));
        EXPECT_EQ(keys[2].mid(0, 5), QStringList({"  2.", "by_name", "unique", "1", "name"}));
        EXPECT_EQ(keys[3].mid(0, 5), QStringList({"  3.", "by_town", "not unique", "1", "town"}));
    });
    SetCroatian();
    View(QStringLiteral("people"), [&](TfrmPropstbl& form) {
        const std::vector<QStringList> fields = Cells(*form.StringGrid1);
        EXPECT_EQ(fields[0],
                  QStringList({"", "Ime polja", "Tip", "NULL", "Ključ", "Default", "Ekstra"}));
        const std::vector<QStringList> keys = Cells(*form.StringGrid2);
        EXPECT_EQ(keys[0], QStringList({"", "IMEključa", "", "Poredak", "IMEpolja", "Sort",
                                        "Kardin.", "DIOključa"}));
        EXPECT_EQ(keys[1][2], QStringLiteral("jedinstven"));
        EXPECT_EQ(keys[3][2], QStringLiteral("nije jedinstven"));
    });
}

TEST_F(StructureWindowTest, PrintWritesBothGridsAndReplacesTheLastPrint) {
    const QStringList grids{"\tIme polja\tTip\tNULL\tKljuč\tDefault\tEkstra\t",
                            "  1.\ta\tint(11)\tYES\t\t\t\t", "  2.\tb\ttext\tYES\t\t\t\t"};
    const QStringList keys{"\tIMEključa\t\tPoredak\tIMEpolja\tSort\tKardin.\tDIOključa\t"};
    // Titles of the language of filling, headings of the language of printing.
    SetCroatian();
    View(QStringLiteral("loose"), [&](TfrmPropstbl& form) {
        SetEnglish();
        form.BitBtn2->click();
        EXPECT_EQ(Report(TfrmPropstbl::kReportName).toStdString(),
                  CrLfLines(QStringList{"", "", "Field structure data:", ""} + grids +
                            QStringList{"", "", "Index structure data:", ""} + keys)
                      .toStdString());
        SetCroatian();
        form.BitBtn2->click();
    });
    EXPECT_TRUE(Report(TfrmPropstbl::kReportName)
                    .startsWith("\r\n\r\nPodaci o strukturi polja:\r\n\r\n\tIme polja\t"));
    EXPECT_EQ(launched.files, QStringList(2, ReportPath(TfrmPropstbl::kReportName)));
    EXPECT_EQ(prompts.shown, QStringList({"frmPropstbl"}));
}

TEST_F(StructureWindowTest, AReportThatCannotBeWrittenStartsNoViewer) {
    ASSERT_TRUE(QDir(workDir.path()).mkdir(QString::fromLatin1(TfrmPropstbl::kReportName)));
    View(QStringLiteral("loose"), [&](TfrmPropstbl& form) { form.BitBtn2->click(); });
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith(ReportPath(TfrmPropstbl::kReportName) + ": "))
        << prompts.shown[1].toStdString();
    EXPECT_TRUE(launched.files.isEmpty());
}

TEST_F(StructureWindowTest, NothingWithoutATableOfTheSelectedDatabase) {
    // No table selected.
    Trigger("Viewtable1");
    // After Show Databases the list still holds the tables, but no database is selected.
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("people")));
    Trigger("ShowDatabases1");
    ASSERT_EQ(window->ListBox1->count(), 2);
    Trigger("Viewtable1");
    // A database selected that is not the one the tables came from.
    window->RadioGroup1->setItemIndex(window->RadioGroup1->items().indexOf("mysql"));
    Trigger("Viewtable1");
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(StructureWindowTest, RefusedLoginsAndBrokenTablesAreReported) {
    window->edtPasswd->setText(QStringLiteral("wrong"));
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("people")));
    Trigger("Viewtable1");
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].startsWith("Access denied for user 'root'"));
    EXPECT_FALSE(window->AdminHandle);

    // A view over a dropped table: the server's text, then the window with what could be read.
    ChooseRoot();
    Exec(kDb, "CREATE TABLE gone (x INT)");
    Exec(kDb, "CREATE VIEW broken AS SELECT x FROM gone");
    Exec(kDb, "DROP TABLE gone");
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    ForgetPrompts();
    View(QStringLiteral("broken"),
         [](TfrmPropstbl& form) { EXPECT_EQ(form.StringGrid1->RowCount(), 1); });
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[0].contains("references invalid table"))
        << prompts.shown[0].toStdString();
}
