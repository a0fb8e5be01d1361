#include "browse_fixture.h"
#include "support/file_size_limit.h"

#include "browse/query_editor.h"
#include "ui/operator_log.h"
#include "ui/radio_group.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

using namespace testserver;

namespace {

constexpr const char* kDb = "kt_browse_query";

QByteArray FileBytes(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

class QueryEditorTest : public BrowseTest {
protected:
    void SetUp() override {
        BrowseTest::SetUp();
        CreateDatabase(kDb);
        Exec(kDb, "CREATE TABLE items (id INT PRIMARY KEY, name VARCHAR(20))");
        Exec(kDb, "INSERT INTO items VALUES (1, 'one'), (2, 'two'), (3, 'three')");
        ChooseRoot();
        ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
        ForgetPrompts();
    }
    std::string Count() { return Value(std::string("SELECT COUNT(*) FROM ") + kDb + ".items"); }
};

} // namespace

TEST_F(QueryEditorTest, RunQueryNeedsAStatementAndAChosenDatabase) {
    FillPanels(QStringLiteral("old"));
    for (const QString& memo : {QString(), QStringLiteral("  \n \n")}) {
        window->Memo1->setPlainText(memo);
        Trigger("Runquery1");
    }
    SetMemo({"SELECT * FROM items"});
    window->edtDatabase->clear();
    Trigger("Runquery1");
    window->edtDatabase->setText(kDb);
    window->RadioGroup1->setItemIndex(-1);
    Trigger("Runquery1");

    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_TRUE(prompts.cursors.isEmpty());
    EXPECT_FALSE(Database().Connected());
    EXPECT_FALSE(QFile::exists(QStringLiteral("qry.txt")));
    EXPECT_EQ(Panels().at(0), QStringLiteral("old0"));
}

TEST_F(QueryEditorTest, ASingleTableSelectOpensLiveInTheGrid) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("items")));
    SetMemo({"SELECT id, name", "FROM items", "WHERE id > 1"});
    FillPanels(QStringLiteral("old"));
    Trigger("Runquery1");

    ASSERT_TRUE(Query().Active()) << prompts.shown.join('|').toStdString();
    EXPECT_TRUE(Query().CanModify());
    EXPECT_EQ(Query().SQL(),
              (std::vector<std::string>{"SELECT id, name", "FROM items", "WHERE id > 1"}));
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", kDb, "items", "2", "old5"}));
    EXPECT_EQ(FileBytes(QStringLiteral("qry.txt")),
              QByteArray("SELECT id, name\r\nFROM items\r\nWHERE id > 1\r\n"));
    EXPECT_EQ(MemoText(), QStringList({"SELECT id, name", "FROM items", "WHERE id > 1"}));
    EXPECT_TRUE(prompts.shown.isEmpty());
    ASSERT_FALSE(prompts.cursors.isEmpty());
    EXPECT_EQ(prompts.cursors.front(), CursorShape::SqlWait);
    EXPECT_EQ(prompts.cursors.back(), CursorShape::Arrow);

    // A double click on the memo runs it again, replacing qry.txt.
    SetMemo({"SELECT * FROM items"});
    QTest::mouseDClick(window->Memo1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Panels().at(4), QStringLiteral("3"));
    EXPECT_EQ(FileBytes(QStringLiteral("qry.txt")), QByteArray("SELECT * FROM items\r\n"));

    // Close query: the grid's query goes, the memo and the status bar stay.
    Trigger("Closequery1");
    EXPECT_FALSE(Query().Active());
    EXPECT_FALSE(Database().Connected());
    EXPECT_TRUE(Query().SQL().empty());
    EXPECT_EQ(MemoText(), QStringList({"SELECT * FROM items"}));
    EXPECT_EQ(Panels().at(4), QStringLiteral("3"));
    Trigger("Closequery1"); // nothing open: nothing changes
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(QueryEditorTest, RowsThatCannotBeEditedComeBackIntoTheMemo) {
    Exec(kDb, "CREATE TABLE more_items (id INT)");
    SetMemo({"SHOW TABLES"});
    FillPanels(QStringLiteral("old"));
    Trigger("Runquery1");

    EXPECT_EQ(prompts.shown, QStringList({"Read-only result set!"}));
    EXPECT_EQ(MemoText(), QStringList({"items", "more_items"}));
    EXPECT_FALSE(Query().Active());
    EXPECT_FALSE(Database().Connected());
    EXPECT_FALSE(window->AdminHandle);
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", kDb, "", "", "old5"}));
    EXPECT_EQ(prompts.cursors.back(), CursorShape::Arrow);

    // When the live attempt fails before the statement goes out (here its transact-server is
    // not there), the read-only path sends the memo as one line, a blank before every line: the
    // server's process list shows the statement as it arrived (without the leading blank, which
    // the server drops). No result rows: the memo is empty.
    EXPECT_EQ(JoinedStatement({"a", "", "c"}), QStringLiteral(" a  c"));
    SetCroatian();
    ForgetPrompts();
    dm->MySQLTransact1.UseTransServer = true;
    dm->MySQLTransact1.Port = "1";
    dm->MySQLTransact1.SetHost("127.0.0.1");
    SetMemo({"SELECT (SELECT INFO FROM information_schema.PROCESSLIST",
             "WHERE ID = CONNECTION_ID())", "AS sent"});
    Trigger("Runquery1");
    dm->MySQLTransact1.UseTransServer = false;
    EXPECT_EQ(prompts.shown, QStringList({"Rezultat nije moguće modificirati!"}));
    EXPECT_EQ(MemoText(), QStringList({"SELECT (SELECT INFO FROM information_schema.PROCESSLIST "
                                       "WHERE ID = CONNECTION_ID()) AS sent"}));

    ForgetPrompts();
    SetMemo({"SHOW TABLES LIKE 'nothing%'"});
    Trigger("Runquery1");
    EXPECT_EQ(prompts.shown, QStringList({"Rezultat nije moguće modificirati!"}));
    EXPECT_TRUE(MemoText().isEmpty());
}

TEST_F(QueryEditorTest, AStatementWithoutRowsRunsExactlyOnce) {
    SetMemo({"INSERT INTO items", "VALUES (4, 'four')"});
    Trigger("Runquery1");
    EXPECT_EQ(Count(), "4");
    EXPECT_EQ(prompts.shown, QStringList({"The statement ran; rows affected: 1."}));
    EXPECT_EQ(MemoText(), QStringList({"INSERT INTO items", "VALUES (4, 'four')"}));
    EXPECT_FALSE(Query().Active());
    EXPECT_FALSE(Database().Connected());
    EXPECT_EQ(Panels().mid(2, 3), QStringList({kDb, "", ""}));
    EXPECT_EQ(prompts.cursors.back(), CursorShape::Arrow);

    SetCroatian();
    ForgetPrompts();
    SetMemo({"UPDATE items SET name = UPPER(name) WHERE id <= 2"});
    Trigger("Runquery1");
    EXPECT_EQ(prompts.shown, QStringList({"Naredba je izvršena; broj obuhvaćenih redaka: 2."}));
    EXPECT_EQ(Value(std::string("SELECT GROUP_CONCAT(name ORDER BY id) FROM ") + kDb + ".items"),
              "ONE,TWO,three,four");
}

TEST_F(QueryEditorTest, AStatementThatAnswersRowsIsSentExactlyOnce) {
    Exec(kDb, "CREATE TABLE sent (id INT AUTO_INCREMENT PRIMARY KEY, v INT)");
    Exec(kDb, "CREATE SEQUENCE seq NOCACHE");
    Exec(kDb, "CREATE PROCEDURE writes_then_selects() BEGIN INSERT INTO sent (v) VALUES (7); "
              "SELECT COUNT(*) AS n FROM sent; END");
    const std::string sentRows = std::string("SELECT COUNT(*) FROM ") + kDb + ".sent";

    // Rows that cannot be edited come back into the memo from the one send of the live attempt.
    SetMemo({"INSERT INTO sent (v)", "VALUES (1) RETURNING id, v"});
    Trigger("Runquery1");
    EXPECT_EQ(Value(sentRows), "1");
    EXPECT_EQ(prompts.shown, QStringList({"Read-only result set!"}));
    EXPECT_EQ(MemoText(), QStringList({"1"}));
    EXPECT_FALSE(Query().Active());
    EXPECT_FALSE(Database().Connected());
    EXPECT_EQ(Panels().mid(2, 3), QStringList({kDb, "", ""}));
    EXPECT_EQ(prompts.cursors.back(), CursorShape::Arrow);

    ForgetPrompts();
    SetMemo({"SELECT NEXTVAL(seq) AS next_value"});
    Trigger("Runquery1");
    EXPECT_EQ(MemoText(), QStringList({"1"}));
    EXPECT_EQ(Value(std::string("SELECT NEXTVAL(") + kDb + ".seq)"), "2")
        << "the sequence advanced more than once";

    ForgetPrompts();
    SetMemo({"CALL writes_then_selects()"});
    Trigger("Runquery1");
    EXPECT_EQ(Value(sentRows), "2");
    EXPECT_EQ(prompts.shown, QStringList({"Read-only result set!"}));
    EXPECT_EQ(MemoText(), QStringList({"2"}));

    // A statement the server refuses part-way is not sent again either: the row the procedure
    // wrote before failing is there once, and the failure is told once.
    Exec(kDb, "CREATE PROCEDURE writes_then_fails() BEGIN INSERT INTO sent (v) VALUES (8); "
              "SELECT * FROM no_such_table; END");
    ForgetPrompts();
    SetMemo({"CALL writes_then_fails()"});
    Trigger("Runquery1");
    EXPECT_EQ(Value(sentRows), "3");
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_EQ(prompts.shown[0], QStringLiteral("Read-only result set!"));
    EXPECT_TRUE(prompts.shown[1].contains(QStringLiteral("no_such_table")))
        << prompts.shown[1].toStdString();
    EXPECT_EQ(MemoText(), QStringList({"CALL writes_then_fails()"}));
    EXPECT_FALSE(Database().Connected());
}

TEST_F(QueryEditorTest, AStatementTheServerRefusesIsReportedAndStaysInTheMemo) {
    // Two statements are sent together as one text; the server refuses that.
    SetMemo({"INSERT INTO items VALUES (5, 'five');", "INSERT INTO items VALUES (6, 'six')"});
    Trigger("Runquery1");
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_EQ(prompts.shown[0], QStringLiteral("Read-only result set!"));
    EXPECT_TRUE(prompts.shown[1].contains(QStringLiteral("SQL syntax")))
        << prompts.shown[1].toStdString();
    EXPECT_EQ(MemoText(), QStringList({"INSERT INTO items VALUES (5, 'five');",
                                       "INSERT INTO items VALUES (6, 'six')"}));
    EXPECT_EQ(Count(), "3");
    EXPECT_FALSE(window->AdminHandle);

    // A refused login reaches the read-only path, which shows the library's text.
    ForgetPrompts();
    window->edtPasswd->setText(QStringLiteral("wrong"));
    SetMemo({"SHOW TABLES"});
    Trigger("Runquery1");
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith(QStringLiteral("Access denied")));
    EXPECT_EQ(MemoText(), QStringList({"SHOW TABLES"}));
    EXPECT_EQ(prompts.cursors.back(), CursorShape::Arrow);
}

TEST_F(QueryEditorTest, AnUnwritableQueryFileDoesNotStopTheQuery) {
    // A folder named qry.txt can be neither replaced nor written (whoever runs the tests).
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("qry.txt/inside")));
    SetMemo({"SELECT * FROM items"});
    Trigger("Runquery1");
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Panels().at(4), QStringLiteral("3"));
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(
        prompts.shown[0].startsWith(QStringLiteral("The query could not be saved to qry.txt")));

    // Told once while the program runs.
    ForgetPrompts();
    SetMemo({"INSERT INTO items VALUES (9, 'nine')"});
    Trigger("Runquery1");
    EXPECT_EQ(prompts.shown, QStringList({"The statement ran; rows affected: 1."}));
    EXPECT_EQ(Count(), "4");
}

TEST_F(QueryEditorTest, AQueryFileThatCannotBeWrittenWholeKeepsTheLastOne) {
    SetMemo({"SELECT * FROM items"});
    Trigger("Runquery1");
    ASSERT_EQ(FileBytes(QStringLiteral("qry.txt")), QByteArray("SELECT * FROM items\r\n"));
    ForgetPrompts();
    // The disk fills up while the next query is saved: the query runs, qry.txt keeps the last.
    SetMemo({"SELECT * FROM items -- " + QString(8000, QLatin1Char('x'))});
    {
        const FileSizeLimit limit(1024);
        Trigger("Runquery1");
    }
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Panels().at(4), QStringLiteral("3"));
    EXPECT_EQ(FileBytes(QStringLiteral("qry.txt")), QByteArray("SELECT * FROM items\r\n"));
    EXPECT_EQ(QDir().entryList({QStringLiteral("qry*")}, QDir::Files), QStringList({"qry.txt"}));
}

TEST_F(QueryEditorTest, OpenScriptStartsInTheScriptsFolderAndOnlyLoads) {
    QFile script(QStringLiteral("count.sql"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("SELECT COUNT(*)\r\nFROM items\r\n");
    script.close();
    SetMemo({"kept"});
    prompts.files.push_back(QDir::current().filePath(QStringLiteral("count.sql")));
    Trigger("Openscript1");
    EXPECT_EQ(prompts.fileDialogDirs,
              QStringList({QCoreApplication::applicationDirPath() + QStringLiteral("/Scripts")}));
    EXPECT_EQ(prompts.fileDialogFilters, QStringList({"Scripts(*.sql)"}));
    EXPECT_EQ(MemoText(), QStringList({"SELECT COUNT(*)", "FROM items"}));
    EXPECT_FALSE(Database().Connected());
    EXPECT_FALSE(QFile::exists(QStringLiteral("qry.txt")));

    // Cancelled: the memo stays. A file that cannot be read: said so, the memo stays.
    prompts.files.push_back(QString());
    Trigger("Openscript1");
    prompts.files.push_back(QDir::current().filePath(QStringLiteral("missing.sql")));
    ForgetPrompts();
    Trigger("Openscript1");
    ASSERT_EQ(prompts.shown.size(), 2);
    EXPECT_TRUE(prompts.shown[1].startsWith(QStringLiteral("Cannot read")));
    EXPECT_EQ(MemoText(), QStringList({"SELECT COUNT(*)", "FROM items"}));
}

TEST_F(QueryEditorTest, TheBuildPutsExampleScriptsBesideTheProgram) {
    const QDir scripts(QStringLiteral(KESTREL_OUTPUT_DIR "/Scripts"));
    const QStringList found = scripts.entryList({QStringLiteral("*.sql")}, QDir::Files);
    ASSERT_FALSE(found.isEmpty());
    // Each is one statement the editor can send.
    for (const QString& name : found) {
        const QString text = QString::fromUtf8(FileBytes(scripts.filePath(name))).trimmed();
        EXPECT_FALSE(text.contains(QLatin1Char(';'))) << name.toStdString();
        EXPECT_TRUE(text.startsWith(QStringLiteral("SELECT"))) << name.toStdString();
    }
}

TEST_F(QueryEditorTest, ClearClosesTheQueryAndKeepsServerUserPasswordAndMemo) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("items")));
    window->ListBox1DblClick();
    ASSERT_TRUE(Query().Active());
    SetMemo({"SELECT 1"});
    FillPanels(QStringLiteral("old"));
    Trigger("Clear1");

    EXPECT_FALSE(Query().Active());
    EXPECT_TRUE(Query().SQL().empty());
    EXPECT_FALSE(Database().Connected());
    EXPECT_EQ(window->RadioGroup1->count(), 0);
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_TRUE(window->edtDatabase->text().isEmpty());
    EXPECT_EQ(Panels(), QStringList({"testsrv", "root", "", "", "", "old5"}));
    EXPECT_EQ(window->edtHostname->currentText(), QStringLiteral("root>testsrv"));
    EXPECT_EQ(window->edtUsername->text(), QStringLiteral("root"));
    EXPECT_EQ(window->edtPasswd->text(), QStringLiteral("kestrel"));
    EXPECT_EQ(window->CurrentHost, QString::fromLatin1(testserver::kHost));
    EXPECT_EQ(MemoText(), QStringList({"SELECT 1"}));

    // Closing the window clears as well.
    ASSERT_NO_FATAL_FAILURE(ClickDatabase(kDb));
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("items")));
    window->ListBox1DblClick();
    ASSERT_TRUE(Query().Active());
    window->close();
    EXPECT_FALSE(Query().Active());
    EXPECT_FALSE(Database().Connected());
}

// A statement the server refuses is quoted in its error text; the passwords it carries are masked
// in the operator's log whatever shape they have, taken from the statement that was sent.
TEST_F(QueryEditorTest, NoPasswordOfARefusedStatementReachesTheLog) {
    const QStringList statements{
        QStringLiteral("CREATE USER kt_browse_pw IDENTIFIED WITH mysql_native_password BY "
                       "'Wv4quoted'"),
        QStringLiteral("CREATE USER kt_browse_pw IDENTIFIED BY Wv4bare"),
        QStringLiteral("SET PASSWORD FOR kt_browse_pw = PASSWORD(Wv4call)"),
        QStringLiteral("CREATE USER kt_browse_pw IDENTIFIED BY 'Wv4open"),
    };
    const qint64 before = QFileInfo(operatorLogFile()).size();
    for (const QString& sql : statements) {
        SetMemo({sql});
        Trigger("Runquery1");
    }
    // Each was refused with a server text that quotes its password.
    int quoted = 0;
    for (const QString& text : prompts.shown)
        quoted += text.contains(QStringLiteral("Wv4")) ? 1 : 0;
    EXPECT_EQ(quoted, 4) << prompts.shown.join(QLatin1Char('|')).toStdString();

    QFile log(operatorLogFile());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    log.seek(before);
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_FALSE(text.contains(QStringLiteral("Wv4"))) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("***")), 4) << text.toStdString();
}
