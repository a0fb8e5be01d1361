// An offscreen grants wizard with scripted prompts, and helpers to walk its pages and to check
// on the server what it wrote. Every account the tests create starts with kt_grants_.
#pragma once

#include "grants/grants_window.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

class TCheckListBox;

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline const char* const kLegacyHost = testserver::InstanceHost(3);

class GrantsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new wizard offering these servers.
    void Open(const QStringList& servers = {QString::fromLatin1(testserver::kHost)});
    // Fills the user page and presses "Next >".
    void EnterUser(const QString& user, const QString& password,
                   const QString& host = QStringLiteral("%"));
    // Types the grantor and checks the server in row (the grant check runs).
    void CheckServer(const QString& grantor = QStringLiteral("root"),
                     const QString& password = QStringLiteral("kestrel"), int row = 0);
    // Checks the named entries of a list; the last one named becomes the current entry.
    static void Check(TCheckListBox* list, const QStringList& names);
    // Walks to the Userfrm page for a new user on the first server.
    void ReachUserPrivileges(const QString& user, const QString& password);

    ScriptedPrompts prompts;
    std::unique_ptr<TfrmGrants> wizard;
};

// True when user@host logs in with password at address.
bool LogsIn(const std::string& address, const std::string& user, const std::string& password);
// Drops every account whose name starts with kt_grants_ (current servers).
void DropTestAccounts(testserver::RootConnection& root);
// The SHOW GRANTS lines of an account.
std::vector<std::string> Grants(testserver::RootConnection& root, const std::string& user,
                                const std::string& host = "%");
