// An offscreen main window with a chosen server, scripted prompts that can act in the middle of a
// command, and root connections to the test servers for checking what the commands did.
#pragma once

#include "shell/query_frm1.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

// ScriptedPrompts that also run a test's action whenever the command lets messages be processed
// or asks for input, and record the values input dialogs start with.
class HookedPrompts : public ScriptedPrompts {
public:
    std::function<void()> onProcessEvents;
    std::function<void()> onInput;
    QStringList inputStartValues;

    void processEvents() override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override;
};

class AdminTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Chooses a server entry "user>label" for host, with user name and password.
    void Choose(const QString& user, const QString& password,
                const QString& host = QString::fromLatin1(testserver::kHost),
                const QString& label = QString());
    void ChooseRoot() { Choose(QStringLiteral("root"), QStringLiteral("kestrel")); }
    void SetCroatian() { window->English1->setChecked(false); }
    // Status bar panels 0 to 5 as one list.
    QStringList Panels() const;
    void FillPanels(const QString& text);

    HookedPrompts prompts;
    std::unique_ptr<TQueryFrm1> window;
};

// The id of the connection on handle (0 when it is not connected).
unsigned long ThreadId(MYSQL* handle);
// True when the server's process list holds id.
bool ThreadListed(testserver::RootConnection& root, unsigned long id);
// Kills a thread and waits until the process list no longer shows it.
void KillAndWait(testserver::RootConnection& root, unsigned long id);
// Names of SHOW DATABASES as root, in the server's order.
QStringList ServerDatabases(testserver::RootConnection& root);
// Runs the project's test server script with the given arguments; true when it succeeded.
bool TestServerScript(const std::string& arguments);
