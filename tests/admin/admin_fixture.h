// The main window fixture, and root connections to the test servers for checking what the commands
// did.
#pragma once

#include "support/main_window_fixture.h"

#include <string>

using HookedPrompts = WindowPrompts;

class AdminTest : public MainWindowFixture {
protected:
    // Chooses a server entry "user>label" for host (label: the host itself when empty), with user
    // name and password.
    void Choose(const QString& user, const QString& password,
                const QString& host = QString::fromLatin1(testserver::kHost),
                const QString& label = QString()) {
        ChooseServer(user, password, host, label.isEmpty() ? host : label);
    }
    void ChooseRoot() { Choose(QStringLiteral("root"), QStringLiteral("kestrel")); }
};

// The id of the connection on handle (0 when it is not connected).
unsigned long ThreadId(MYSQL* handle);
using testserver::ThreadListed;
// Kills a thread and waits until the process list no longer shows it.
void KillAndWait(testserver::RootConnection& root, unsigned long id);
// Names of SHOW DATABASES as root, in the server's order.
QStringList ServerDatabases(testserver::RootConnection& root);
