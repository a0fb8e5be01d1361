#include "admin_fixture.h"

#include "ui/status_bar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

using namespace testserver;

namespace {

// Each command's text and its menu item's object name.
const std::pair<const char*, const char*> kServerCommands[] = {
    {"Ping", "Ping1"},
    {"Status", "Status1"},
    {"Show processes", "Showprocesses1"},
    {"Kill process", "Kill1"},
    {"Shutdown", "Shutdown1"},
    {"Flush privileges", "Flushprivileges1"},
    {"Flush hosts", "Flushhosts1"},
    {"Show Databases", "ShowDatabases1"},
};

// The lines of a listing, each without its LF CR end.
QStringList Lines(const QString& text) {
    QStringList lines = text.split(QStringLiteral("\n\r"));
    EXPECT_EQ(lines.takeLast(), QString()) << "the last line does not end with LF CR";
    return lines;
}

} // namespace

TEST_F(AdminTest, CommandsNeedAServerEntryAndAUserName) {
    for (const auto& [name, item] : kServerCommands) {
        ChooseRoot();
        window->edtHostname->clear();
        Trigger(item);
        ChooseRoot();
        window->edtUsername->clear();
        Trigger(item);
        EXPECT_TRUE(prompts.shown.isEmpty()) << name;
        // The busy cursor comes before any connection attempt: none was made.
        EXPECT_TRUE(prompts.cursors.isEmpty()) << name;
    }
}

TEST_F(AdminTest, RefusedLoginShowsOnlyTheLibraryText) {
    for (const auto& [name, item] : kServerCommands) {
        Choose(QStringLiteral("root"), QStringLiteral("wrong"));
        prompts.shown.clear();
        prompts.cursors.clear();
        Trigger(item);
        ASSERT_EQ(prompts.shown.size(), 1) << name << ": " << prompts.shown.join('|').toStdString();
        EXPECT_TRUE(prompts.shown[0].startsWith(QStringLiteral("Access denied for user 'root'")))
            << name << ": " << prompts.shown[0].toStdString();
        EXPECT_EQ(prompts.shown[0], prompts.shown[0].trimmed());
        EXPECT_EQ(prompts.cursors.last(), CursorShape::Arrow) << name;
        EXPECT_FALSE(window->AdminHandle) << name << " left the handle open";
    }
}

TEST_F(AdminTest, PingAnswersInTheCurrentLanguage) {
    ChooseRoot();
    Trigger("Ping1");
    window->edtDatabase->setText(QStringLiteral("mysql"));
    Trigger("Ping1");
    SetCroatian();
    Trigger("Ping1");
    EXPECT_EQ(prompts.shown, QStringList({"Alive!", "Alive!", "Živ!"}));
    EXPECT_FALSE(window->AdminHandle);
    EXPECT_EQ(prompts.cursors.last(), CursorShape::Arrow);
}

TEST_F(AdminTest, PingWithAnUnknownDatabaseFailsAtConnect) {
    ChooseRoot();
    window->edtDatabase->setText(QStringLiteral("kt_admin_no_such_db"));
    Trigger("Ping1");
    EXPECT_EQ(prompts.shown, QStringList({"Unknown database 'kt_admin_no_such_db'"}));
}

TEST_F(AdminTest, PingOfAConnectionTheServerEndedIsDead) {
    RootConnection root;
    ChooseRoot();
    // Once connected, the command lets messages be processed before it pings: the server ends
    // the connection right then.
    prompts.onProcessEvents = [&] {
        if (const unsigned long id = ThreadId(window->AdminHandle.get())) {
            prompts.onProcessEvents = nullptr;
            ASSERT_NO_FATAL_FAILURE(KillAndWait(root, id));
        }
    };
    Trigger("Ping1");
    EXPECT_EQ(prompts.shown, QStringList({"Dead!"}));
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(AdminTest, StatusShowsServerStatusAndVariablesWithEveryRow) {
    RootConnection root;
    const QString hostInfo = QString::fromUtf8(Client().mysql_get_host_info(root.get()));
    const QString version = QString::fromUtf8(Client().mysql_get_server_info(root.get()));
    const auto statusRows = root.Rows("SHOW STATUS").size();
    const auto variableRows = root.Rows("SHOW VARIABLES").size();
    ChooseRoot();
    Trigger("Status1");

    ASSERT_EQ(prompts.shown.size(), 3) << prompts.shown.join('|').toStdString();
    EXPECT_EQ(prompts.shown[0], QStringLiteral("Server info: ") + hostInfo +
                                    QStringLiteral("\n\rServer ver: ") + version +
                                    QStringLiteral("\n\r"));

    const QStringList status = Lines(prompts.shown[1]);
    EXPECT_EQ(status.first(), QStringLiteral("STATUS:"));
    EXPECT_EQ(static_cast<std::size_t>(status.size()), statusRows + 1);
    EXPECT_EQ(
        status.filter(QRegularExpression(QStringLiteral("^Uptime: \\d\\d+:\\d\\d:\\d\\d$"))).size(),
        1)
        << prompts.shown[1].toStdString();
    EXPECT_FALSE(
        prompts.shown[1].contains(QRegularExpression(QStringLiteral("(?<!\n)\r|\n(?!\r)"))))
        << "a line end other than LF CR";

    const QStringList variables = Lines(prompts.shown[2]);
    EXPECT_EQ(variables.first(), QStringLiteral("VARIABLES:"));
    EXPECT_EQ(static_cast<std::size_t>(variables.size()), variableRows + 1);
    EXPECT_TRUE(variables.contains(QStringLiteral("port: 3306")));

    EXPECT_FALSE(window->AdminHandle);
    EXPECT_EQ(prompts.cursors.last(), CursorShape::Arrow);
}

TEST_F(AdminTest, StatusLeavesOutTheListingOfAFailedStatement) {
    RootConnection root;
    ChooseRoot();
    // After the STATUS box the server ends the connection: SHOW VARIABLES fails.
    prompts.onProcessEvents = [&] {
        if (prompts.shown.size() == 2) {
            prompts.onProcessEvents = nullptr;
            ASSERT_NO_FATAL_FAILURE(KillAndWait(root, ThreadId(window->AdminHandle.get())));
        }
    };
    Trigger("Status1");
    ASSERT_EQ(prompts.shown.size(), 3) << prompts.shown.join('|').toStdString();
    EXPECT_TRUE(prompts.shown[1].startsWith(QStringLiteral("STATUS:")));
    EXPECT_FALSE(prompts.shown[2].startsWith(QStringLiteral("VARIABLES:")));
    EXPECT_FALSE(prompts.shown[2].isEmpty());
    EXPECT_FALSE(window->AdminHandle);
    EXPECT_EQ(prompts.cursors.last(), CursorShape::Arrow);
}

TEST_F(AdminTest, ShowProcessesListsEveryThreadWithTheLabelsOfTheLanguage) {
    RootConnection root;
    RootConnection idle; // no default database, nothing running: DB, State and Info are NULL
    const QString id = QString::number(ThreadId(idle.get()));
    // More threads than one screen of the list: every one of them is listed.
    std::vector<std::unique_ptr<RootConnection>> others;
    for (int i = 0; i < 12; ++i)
        others.push_back(std::make_unique<RootConnection>());
    ChooseRoot();
    Trigger("Showprocesses1");
    SetCroatian();
    Trigger("Showprocesses1");
    ASSERT_EQ(prompts.shown.size(), 2);

    const QStringList english = Lines(prompts.shown[0]);
    EXPECT_EQ(english.first(), QStringLiteral("PROC:"));
    // Other clients of the test server come and go; this test's own threads stay, each listed.
    for (const auto& other : others)
        EXPECT_EQ(english
                      .filter(QRegularExpression(
                          QStringLiteral("^Id: %1/ User: root/ ").arg(ThreadId(other->get()))))
                      .size(),
                  1)
            << ThreadId(other->get());
    const QRegularExpression idleLine(
        QStringLiteral(
            "^Id: %1/ User: root/ Host: 127\\.0\\.0\\.1:\\d+/ DB: / Command: Sleep/ Time: \\d+/ "
            "State: / Info: $")
            .arg(id));
    EXPECT_EQ(english.filter(idleLine).size(), 1) << prompts.shown[0].toStdString();
    // The command's own connection lists itself (another client may be listing at the same time).
    EXPECT_GE(english
                  .filter(QRegularExpression(QStringLiteral(
                      "/ Command: Query/ Time: \\d+/ State: [^/]*/ Info: SHOW processlist$")))
                  .size(),
              1);

    const QStringList croatian = Lines(prompts.shown[1]);
    const QRegularExpression idleCroatian(
        QStringLiteral(
            "^Id: %1/ Korisnik: root/ Host: [^/]+/ DB: / Komanda: Sleep/ Vrijeme: \\d+/ Status: / "
            "Info: $")
            .arg(id));
    EXPECT_EQ(croatian.filter(idleCroatian).size(), 1) << prompts.shown[1].toStdString();
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(AdminTest, KillSendsOnlyAnIdExactlyAsListed) {
    RootConnection root;
    RootConnection victim;
    const unsigned long id = ThreadId(victim.get());
    const QString text = QString::number(id);
    ChooseRoot();
    prompts.inputs = {std::nullopt, QLatin1Char(' ') + text, text + QLatin1Char(' '),
                      QStringLiteral("0") + text, QStringLiteral("999999999")};
    for (int i = 0; i < 5; ++i)
        Trigger("Kill1");
    ASSERT_EQ(prompts.shown.size(), 15) << prompts.shown.join('|').toStdString();
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(prompts.shown[3 * i].startsWith(QStringLiteral("PROC:\n\r")));
        EXPECT_EQ(prompts.shown[3 * i + 1], QStringLiteral("KILL thread|Enter thread ID:"));
        EXPECT_EQ(prompts.shown[3 * i + 2], QStringLiteral("Invalid thread ID!"));
    }
    EXPECT_EQ(prompts.inputStartValues, QStringList(5, QString()));
    EXPECT_TRUE(ThreadListed(root, id));

    prompts.shown.clear();
    prompts.inputs = {text};
    Trigger("Kill1");
    ASSERT_EQ(prompts.shown.size(), 3);
    EXPECT_TRUE(
        prompts.shown[0].contains(QStringLiteral("Id: ") + text + QStringLiteral("/ User: root")));
    EXPECT_EQ(prompts.shown[2], QStringLiteral("Thread killed!"));
    for (int i = 0; i < 100 && ThreadListed(root, id); ++i)
        QTest::qWait(50);
    EXPECT_FALSE(ThreadListed(root, id));
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(AdminTest, KillOfAThreadThatEndedMeanwhileShowsTheServerText) {
    RootConnection root;
    RootConnection victim;
    const unsigned long id = ThreadId(victim.get());
    ChooseRoot();
    SetCroatian();
    // The thread was listed, and ends while the operator types its id.
    prompts.onInput = [&] { KillAndWait(root, id); };
    prompts.inputs = {QString::number(id)};
    Trigger("Kill1");
    ASSERT_EQ(prompts.shown.size(), 3) << prompts.shown.join('|').toStdString();
    EXPECT_EQ(prompts.shown[1], QStringLiteral("Ubiti proces|Unesite ID procesa:"));
    EXPECT_EQ(prompts.shown[2], QStringLiteral("Unknown thread id: %1").arg(id));

    prompts.onInput = nullptr;
    prompts.shown.clear();
    prompts.inputs = {QString()};
    Trigger("Kill1");
    EXPECT_EQ(prompts.shown.value(2), QStringLiteral("Krivi ID!"));
}

TEST_F(AdminTest, ShutdownIsRefusedWithoutThePrivilegeAndAcceptedForRoot) {
    ASSERT_TRUE(testserver::RunScript("start " + std::to_string(testserver::TestInstance(2))));
    const QString second = QString::fromLatin1(kSecondHost);
    Choose(QStringLiteral("plain"), QStringLiteral("plain"), second, QStringLiteral("second"));
    FillPanels(QStringLiteral("before"));
    Trigger("Shutdown1");
    SetCroatian();
    Trigger("Shutdown1");
    EXPECT_EQ(prompts.shown, QStringList({"Still alive!", "Još uvijek je živ!"}));
    EXPECT_EQ(Panels()[0], QStringLiteral("before0"));
    EXPECT_FALSE(window->AdminHandle);

    prompts.shown.clear();
    window->English1->setChecked(true);
    Choose(QStringLiteral("root"), QStringLiteral("kestrel"), second, QStringLiteral("second"));
    Trigger("Shutdown1"); // no question is asked
    EXPECT_EQ(prompts.shown, QStringList({"Killed!"}));
    EXPECT_EQ(Panels(), QStringList({"second", "root", "", "", "", "before5"}));
    EXPECT_FALSE(window->AdminHandle);

    // The server goes away: the next command cannot connect.
    for (int i = 0; i < 100; ++i) {
        prompts.shown.clear();
        Trigger("Ping1");
        if (prompts.shown != QStringList({"Alive!"}))
            break;
        QTest::qWait(100);
    }
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_NE(prompts.shown[0], QStringLiteral("Alive!"));
    EXPECT_NE(prompts.shown[0], QStringLiteral("Dead!"));
}

TEST_F(AdminTest, FlushPrivilegesAndHosts) {
    ChooseRoot();
    Trigger("Flushprivileges1");
    Trigger("Flushhosts1");
    SetCroatian();
    Trigger("Flushprivileges1");
    Trigger("Flushhosts1");
    EXPECT_EQ(prompts.shown, QStringList({"Privileges has been flushed!", "Hosts has been flushed!",
                                          "Privilegije osvježene!", "Klijenti osvježeni!"}));

    // Without privileges: the privilege database refuses the connection, the server refuses the
    // flush, and no success is reported.
    prompts.shown.clear();
    Choose(QStringLiteral("plain"), QStringLiteral("plain"));
    Trigger("Flushprivileges1");
    Trigger("Flushhosts1");
    ASSERT_EQ(prompts.shown.size(), 2) << prompts.shown.join('|').toStdString();
    EXPECT_EQ(prompts.shown[0],
              QStringLiteral("Access denied for user 'plain'@'%' to database 'mysql'"));
    EXPECT_TRUE(prompts.shown[1].startsWith(QStringLiteral("Access denied")))
        << prompts.shown[1].toStdString();
    EXPECT_FALSE(window->AdminHandle);
    EXPECT_EQ(prompts.cursors.last(), CursorShape::Arrow);
}
