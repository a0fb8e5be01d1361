#include "support/main_window_fixture.h"
#include "support/scratch_database.h"

#include "data/sql_names.h"
#include "tables/table_designer.h"
#include "ui/dual_list_dialog.h"
#include "ui/radio_group.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace testserver;

namespace {

class CreateTableCommandTest : public MainWindowFixture {
protected:
    ScratchDatabase scratch_;
    const std::string& Db() const { return scratch_.name(); }
    QString DbText() const { return QString::fromStdString(Db()); }

    void SetUp() override {
        MainWindowFixture::SetUp();
        root = std::make_unique<RootConnection>();
        Choose(QStringLiteral("kestrel"));
        window->edtDatabase->setText(DbText());
    }
    // The root account with the given password, on the test server.
    void Choose(const QString& password) {
        const QString host = QString::fromLatin1(kHost);
        ChooseServer(QStringLiteral("root"), password, host, host);
    }

    // Queues the operator's work in the designer: fill the grid, then whatever finish does.
    void Design(std::function<void(TfrmCreatetbl&)> work) {
        prompts.dialogs.push_back([work](QDialog& d) { work(static_cast<TfrmCreatetbl&>(d)); });
    }
    static void Fill(TfrmCreatetbl& f, const QList<QStringList>& rows) {
        f.StringGrid1->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                f.SetCell(r + 1, c + 1, rows[r][c]);
    }
    static void SaveAs(TfrmCreatetbl& f, const QString& name) {
        f.Edit1->setText(name);
        f.BitBtn1->click();
    }
    // "column:key" for every row of SHOW INDEX, in the server's order.
    std::vector<std::string> Keys(const std::string& table) {
        std::vector<std::string> keys;
        for (const auto& row : root->Rows("SHOW INDEX FROM " + Db() + "." + QuoteName(table)))
            keys.push_back(row.at(2) + ":" + row.at(4));
        return keys;
    }
    std::vector<std::string> Columns(const std::string& table) {
        std::vector<std::string> columns;
        for (const auto& row : root->Rows("SHOW COLUMNS FROM " + Db() + "." + QuoteName(table)))
            columns.push_back(row.at(0) + " " + row.at(1) + " " + row.at(2) + " " + row.at(4));
        return columns;
    }
    bool TableExists(const std::string& table) {
        return !root->Rows("SELECT 1 FROM information_schema.TABLES WHERE TABLE_SCHEMA='" + Db() +
                           "' AND TABLE_NAME='" + table + "'")
                    .empty();
    }

    std::unique_ptr<RootConnection> root;
};

} // namespace

TEST_F(CreateTableCommandTest, CreatesTheDesignedTableWithItsColumnsAndKeys) {
    QString statement;
    Design([&](TfrmCreatetbl& f) {
        Fill(f, {{"id", "INTEGER", "", "TRUE", "TRUE", "TRUE"},
                 {"part", "SMALLINT", "", "", "TRUE", "TRUE"},
                 {"first name", "VARCHAR", "40", "", "", "TRUE", "'x'"},
                 {"price", "DECIMAL", "10,2", "", "", "", "0"}});
        prompts.dialogs.push_back([](QDialog& d) {
            auto& dl = static_cast<TDualListDialog&>(d);
            dl.SrcList->item(2)->setSelected(true);
            dl.IncludeBtn->click();
            dl.OKBtn->click();
        });
        prompts.inputs.push_back(QString("by name"));
        prompts.yesNo.push_back(true);
        f.BitBtn2->click();
        SaveAs(f, "kt designer parts");
        statement = QString::fromStdString(f.Statement());
    });
    window->RadioGroup1->setItems({"stale"});
    window->Createtable1->trigger();

    EXPECT_EQ(statement, "CREATE TABLE `kt designer parts`(\n\r"
                         "id INTEGER UNSIGNED NOT NULL,\n\r"
                         "part SMALLINT NOT NULL,\n\r"
                         "`first name` VARCHAR(40) NOT NULL DEFAULT 'x',\n\r"
                         "price DECIMAL(10,2) DEFAULT 0,\n\r"
                         "INDEX `by name` (`first name`),\n\r"
                         "PRIMARY KEY (id,part)\n\r)");
    EXPECT_EQ(prompts.shown,
              QStringList({"frmCreatetbl", "DualListDialog1",
                           "Name the index:|Enter index name:", "Modify index?", statement}));
    EXPECT_EQ(
        Columns("kt designer parts"),
        (std::vector<std::string>{"id int(10) unsigned NO ", "part smallint(6) NO ",
                                  "first name varchar(40) NO x", "price decimal(10,2) YES 0.00"}));
    EXPECT_EQ(Keys("kt designer parts"),
              (std::vector<std::string>{"PRIMARY:id", "PRIMARY:part", "by name:first name"}));
    // Then Clear and Show Databases: the lists start again, nothing selected.
    EXPECT_TRUE(window->edtDatabase->text().isEmpty());
    EXPECT_TRUE(window->RadioGroup1->items().contains(DbText()));
    EXPECT_EQ(window->RadioGroup1->itemIndex(), -1);
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(CreateTableCommandTest, ARejectedStatementShowsTheStatementThenTheErrorAndRefreshes) {
    Design([](TfrmCreatetbl& f) {
        Fill(f, {{"a", "NOSUCHTYPE"}});
        SaveAs(f, "kt_rejected");
    });
    // The design comes back for correction; the operator closes it.
    bool refreshedMeanwhile = true;
    Design([&](TfrmCreatetbl& f) {
        refreshedMeanwhile = !window->RadioGroup1->items().contains("stale");
        EXPECT_EQ(f.Cell(1, kTypeColumn), "NOSUCHTYPE");
        f.reject();
    });
    window->RadioGroup1->setItems({"stale"});
    window->SpeedButton(21)->click();
    ASSERT_EQ(prompts.shown.size(), 4) << prompts.shown.join(" | ").toStdString();
    EXPECT_EQ(prompts.shown[1], "CREATE TABLE kt_rejected(\n\ra NOSUCHTYPE\n\r)");
    EXPECT_TRUE(prompts.shown[2].contains("NOSUCHTYPE")) << prompts.shown[2].toStdString();
    EXPECT_EQ(prompts.icons[2], PromptIcon::Error);
    EXPECT_EQ(prompts.shown[3], "frmCreatetbl");
    EXPECT_FALSE(refreshedMeanwhile) << "the window is refreshed after the designer closed";
    EXPECT_FALSE(TableExists("kt_rejected"));
    EXPECT_TRUE(window->RadioGroup1->items().contains(DbText()));
    EXPECT_TRUE(window->edtDatabase->text().isEmpty());
}

TEST_F(CreateTableCommandTest, ARejectedDesignIsCorrectedAndCreatedWithoutABlankRow) {
    Design([](TfrmCreatetbl& f) {
        Fill(f, {{"a", "INTEGER", "", "", "TRUE", "TRUE"},
                 {"b", "NOSUCHTYPE", "", "", "TRUE", "TRUE"}});
        // The Down arrow after the last filled row adds a row left empty.
        f.SetCurrent(2, kNameColumn);
        QTest::keyClick(f.StringGrid1, Qt::Key_Down);
        ASSERT_EQ(f.DataRows(), 3);
        SaveAs(f, "kt_corrected");
    });
    Design([](TfrmCreatetbl& f) {
        EXPECT_EQ(f.DataRows(), 3);
        EXPECT_EQ(f.TableName(), "kt_corrected");
        f.SetCell(2, kTypeColumn, "INTEGER");
        f.BitBtn1->click();
    });
    window->Createtable1->trigger();
    ASSERT_EQ(prompts.shown.size(), 5) << prompts.shown.join(" | ").toStdString();
    EXPECT_EQ(prompts.shown[3], "frmCreatetbl");
    // The composite key is made once, from the corrected design.
    EXPECT_EQ(prompts.shown[4], "CREATE TABLE kt_corrected(\n\r"
                                "a INTEGER NOT NULL,\n\r"
                                "b INTEGER NOT NULL,\n\r"
                                "PRIMARY KEY (a,b)\n\r)");
    EXPECT_EQ(Keys("kt_corrected"), (std::vector<std::string>{"PRIMARY:a", "PRIMARY:b"}));
    EXPECT_TRUE(window->RadioGroup1->items().contains(DbText()));
}

TEST_F(CreateTableCommandTest, ClosingTheDesignerSendsNothing) {
    Design([](TfrmCreatetbl& f) {
        Fill(f, {{"a", "INTEGER"}});
        f.Edit1->setText("kt_closed");
        f.show();
        f.close();
    });
    window->RadioGroup1->setItems({"stale"});
    window->Createtable2->trigger();
    EXPECT_EQ(prompts.shown, QStringList({"frmCreatetbl"}));
    EXPECT_TRUE(prompts.cursors.isEmpty()) << "no connection was opened";
    EXPECT_FALSE(TableExists("kt_closed"));
    EXPECT_EQ(window->RadioGroup1->items(), QStringList({"stale"}));
    EXPECT_EQ(window->edtDatabase->text(), DbText());
}

TEST_F(CreateTableCommandTest, ASecondDesignerStartsWithoutTheFirstOnesClauses) {
    Design([](TfrmCreatetbl& f) {
        Fill(f,
             {{"a", "INTEGER", "", "", "TRUE", "TRUE"}, {"b", "INTEGER", "", "", "TRUE", "TRUE"}});
        SaveAs(f, "kt_first");
    });
    window->Createtable1->trigger();
    EXPECT_EQ(Keys("kt_first"), (std::vector<std::string>{"PRIMARY:a", "PRIMARY:b"}));

    window->edtDatabase->setText(DbText());
    prompts.shown.clear();
    Design([](TfrmCreatetbl& f) {
        EXPECT_TRUE(f.Clauses().empty());
        Fill(f, {{"c", "INTEGER", "", "", "TRUE", "TRUE"}});
        SaveAs(f, "kt_second");
    });
    window->Createtable1->trigger();
    EXPECT_EQ(prompts.shown.value(1),
              "CREATE TABLE kt_second(\n\rc INTEGER NOT NULL PRIMARY KEY\n\r)");
    EXPECT_EQ(Keys("kt_second"), std::vector<std::string>{"PRIMARY:c"});
}

TEST_F(CreateTableCommandTest, WithoutADatabaseOrWithARefusedLoginNothingIsCreated) {
    window->edtDatabase->clear();
    window->Createtable1->trigger();
    EXPECT_TRUE(prompts.shown.isEmpty());

    Choose(QStringLiteral("wrong"));
    window->edtDatabase->setText(DbText());
    window->RadioGroup1->setItems({"stale"});
    Design([](TfrmCreatetbl& f) {
        Fill(f, {{"a", "INTEGER"}});
        SaveAs(f, "kt_refused");
    });
    window->Createtable1->trigger();
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].contains("Access denied")) << prompts.shown[1].toStdString();
    // No refresh after a refused login.
    EXPECT_EQ(window->RadioGroup1->items(), QStringList({"stale"}));
    EXPECT_FALSE(TableExists("kt_refused"));
}
