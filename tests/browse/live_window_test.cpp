// Statements run beside the window: it keeps painting, shows the Stop button after about half a
// second, and Stop ends the statement within a second, leaving the query closed and the
// connection usable.
#include "browse_fixture.h"

#include "support/statement_watch.h"
#include "ui/statement_runner.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

using namespace testserver;

namespace {

constexpr const char* kDb = "kt_browse_live";
const QString kStopped = QStringLiteral("Stopped by the operator");

class LiveWindowTest : public BrowseTest {
protected:
    void SetUp() override {
        BrowseTest::SetUp();
        CreateDatabase(kDb);
        Exec(kDb, "CREATE TABLE items (id INT PRIMARY KEY)");
        Exec(kDb, "INSERT INTO items VALUES (1), (2)");
        Exec(kDb, "CREATE VIEW slow AS SELECT SLEEP(3) AS s");
        ShowWindowOn(kDb);
    }
    // Runs the memo's statement while watch acts on the progress window.
    void RunQuery(StatementWatch& watch) {
        Trigger("Runquery1");
        watch.CommandEnded();
    }
};

} // namespace

TEST_F(LiveWindowTest, ASleepInTheQueryEditorKeepsTheWindowAliveAndStopEndsIt) {
    SetMemo({"SELECT SLEEP(3)"});
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::Stop);
        RunQuery(watch);
        EXPECT_GT(watch.ticks, 10);
        EXPECT_GT(watch.paints, 0);
        EXPECT_TRUE(watch.progressShown);
        EXPECT_TRUE(watch.stopEnabled);
        EXPECT_GE(watch.EndedAfterActionMs(), 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    EXPECT_EQ(prompts.shown, QStringList({"Read-only result set!", kStopped}));
    EXPECT_EQ(prompts.icons.last(), PromptIcon::Error);
    EXPECT_FALSE(Query().Active());
    EXPECT_EQ(MemoText(), QStringList({"SELECT SLEEP(3)"}));

    // The next statement runs; Escape stops as the button does, in Croatian as well.
    ForgetPrompts();
    SetMemo({"SELECT 7 AS seven"});
    Trigger("Runquery1");
    EXPECT_EQ(prompts.shown, QStringList({"Read-only result set!"}));
    EXPECT_EQ(MemoText(), QStringList({"7"}));

    SetCroatian();
    ForgetPrompts();
    SetMemo({"SELECT SLEEP(3)"});
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::PressEscape);
        RunQuery(watch);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    EXPECT_EQ(prompts.shown,
              QStringList({"Rezultat nije moguće modificirati!", "Naredbu je zaustavio operater"}));
}

TEST_F(LiveWindowTest, AStatementThatEndsByItselfBehavesAsBefore) {
    SetMemo({"SELECT SLEEP(0.8) AS s"});
    StatementWatch watch(window.get(), StatementWatch::OnProgress::Nothing);
    RunQuery(watch);
    EXPECT_TRUE(watch.progressShown);
    EXPECT_GT(watch.ticks, 5);
    EXPECT_EQ(prompts.shown, QStringList({"Read-only result set!"}));
    EXPECT_EQ(MemoText(), QStringList({"0"}));
    EXPECT_EQ(StatementRunner::ProgressWindow(), nullptr);
}

TEST_F(LiveWindowTest, ASlowTableViewStopsAndTheNextTableOpens) {
    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("slow")));
    FillPanels(QStringLiteral("old"));
    {
        StatementWatch watch(window.get(), StatementWatch::OnProgress::Stop);
        window->ListBox1DblClick();
        watch.CommandEnded();
        EXPECT_TRUE(watch.stopEnabled);
        EXPECT_GT(watch.paints, 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    }
    EXPECT_EQ(prompts.shown, QStringList({kStopped}));
    EXPECT_FALSE(Query().Active());
    EXPECT_EQ(Panels().at(4), QStringLiteral("old4"));

    ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("items")));
    window->ListBox1DblClick();
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Panels().at(4), QStringLiteral("2"));
    EXPECT_EQ(prompts.shown, QStringList({kStopped}));
}

TEST_F(LiveWindowTest, ClosingTheMainWindowStopsTheStatementFirst) {
    SetMemo({"SELECT SLEEP(3)"});
    StatementWatch watch(window.get(), StatementWatch::OnProgress::CloseWindow);
    RunQuery(watch);
    EXPECT_LT(watch.EndedAfterActionMs(), 1000);
    EXPECT_EQ(prompts.shown, QStringList({"Read-only result set!", kStopped}));
    // The close waited for the command; it follows once the command has ended.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
}
