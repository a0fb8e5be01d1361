// The server window fixture with the memo's lines, for the kt_browse_ databases.
#pragma once

#include "support/server_window_fixture.h"

#include <QStringList>

using BrowsePrompts = WindowPrompts;

class BrowseTest : public ServerWindowFixture {
protected:
    void SetMemo(const QStringList& lines);
    QStringList MemoText() const;
    // Logs in as root, chooses database db and shows the window, prompts forgotten; the window is
    // hidden again in TearDown.
    void ShowWindowOn(const char* db);
    void TearDown() override;
};
