// Connects and server commands wait for the server beside the window: a server that never answers
// keeps the window painting, the progress window comes up, and Stop leaves the connect at once
// (it ends by itself later and its connection is discarded). A transact-server command that gets
// no answer is stopped by closing its socket.
#include "admin_fixture.h"

#include "data/blocking_calls.h"
#include "data/transact_connect.h"
#include "support/silent_server.h"
#include "support/statement_watch.h"
#include "transact/scripted_listener.h"

#include <QTest>

namespace {

class ServerWaitsTest : public AdminTest {
protected:
    void SetUp() override {
        AdminTest::SetUp();
        ASSERT_FALSE(silent.Host().empty());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window->hide();
        silent.Close();
        EXPECT_TRUE(QTest::qWaitFor([] { return SideCallsWorking() == 0; }, 5000));
        AdminTest::TearDown();
    }
    void ChooseSilent() {
        Choose(QStringLiteral("root"), QStringLiteral("kestrel"),
               QString::fromStdString(silent.Host()));
        ForgetPrompts();
    }
    // Runs a command while watch acts on the progress window.
    void Run(const char* command, StatementWatch::OnProgress action) {
        StatementWatch watch(window.get(), action);
        Trigger(command);
        watch.CommandEnded();
        EXPECT_GT(watch.ticks, 10);
        EXPECT_GT(watch.paints, 0);
        EXPECT_TRUE(watch.progressShown);
        EXPECT_TRUE(watch.stopEnabled);
        EXPECT_GE(watch.EndedAfterActionMs(), 0);
        EXPECT_LT(watch.EndedAfterActionMs(), 500);
    }

    SilentServer silent;
};

} // namespace

TEST_F(ServerWaitsTest, APingOfAServerThatNeverAnswersKeepsTheWindowAliveAndStopLeavesIt) {
    ChooseSilent();
    Run("Ping1", StatementWatch::OnProgress::Stop);
    EXPECT_EQ(prompts.shown, QStringList({"Connecting stopped by the operator"}));
    EXPECT_EQ(prompts.icons.last(), PromptIcon::Error);
    EXPECT_FALSE(window->AdminHandle);
    EXPECT_EQ(prompts.cursors.last(), CursorShape::Arrow);
    // The attempt still waits; the server's end ends it.
    EXPECT_EQ(SideCallsWorking(), 1);
    silent.Close();
    EXPECT_TRUE(QTest::qWaitFor([] { return SideCallsWorking() == 0; }, 5000));

    // The next ping reaches the server.
    ChooseRoot();
    ForgetPrompts();
    Trigger("Ping1");
    EXPECT_EQ(prompts.shown, QStringList({"Alive!"}));
}

TEST_F(ServerWaitsTest, EscapeStopsTheConnectOfShutdownInCroatian) {
    SetCroatian();
    ChooseSilent();
    Run("Shutdown1", StatementWatch::OnProgress::PressEscape);
    EXPECT_EQ(prompts.shown, QStringList({"Povezivanje je zaustavio operater"}));
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(ServerWaitsTest, AStoppedTransactServerCommandClosesItsSocketAndSaysItsFateIsUnknown) {
    using L = ScriptedListener;
    const QString unknown = QStringLiteral(
        "Stopped by the operator: the connection to the transact-server was closed, so whether "
        "the statement ran there is not known");
    const QString unknownHr = QStringLiteral(
        "Zaustavio operater: veza s transact-poslužiteljem je zatvorena, pa nije poznato je li "
        "naredba ondje izvršena");
    for (const QString& expected : {unknown, unknownHr}) {
        if (expected == unknownHr)
            SetCroatian();
        // The transact-server lets us in, reads the statement and never answers it.
        ScriptedListener listener({L::Send("login: "), L::ReadLine(), L::Send("password: "),
                                   L::ReadLine(), L::Send("\n\r"), L::ReadLine(), L::Send("OK\n")});
        TDirTrSQLConnect connect;
        connect.Host = "127.0.0.1";
        connect.Port = listener.PortText();
        connect.Login = "root";
        connect.Database = "db";
        ASSERT_EQ(connect.Connect(), dsConnected);
        TDirTrSqlQuery query(&connect);
        query.Sql = "UPDATE t SET v = 1";
        {
            StatementWatch watch(window.get(), StatementWatch::OnProgress::Stop);
            EXPECT_EQ(query.ExecSql(), -1);
            watch.CommandEnded();
            EXPECT_GT(watch.paints, 0);
            EXPECT_TRUE(watch.stopEnabled);
            EXPECT_GE(watch.EndedAfterActionMs(), 0);
            EXPECT_LT(watch.EndedAfterActionMs(), 500);
        }
        EXPECT_TRUE(connect.Stopped());
        EXPECT_FALSE(connect.HasSocket());
        EXPECT_EQ(QString::fromStdString(connect.GetErrorMsg()), expected);
        listener.Finish();
        EXPECT_TRUE(listener.ClientClosed());
        EXPECT_EQ(listener.Lines().back(), "UPDATE t SET v = 1;");
    }
}
