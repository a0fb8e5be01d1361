// An offscreen main window with a chosen server and scripted prompts that can act in the middle of
// a command: the base of the window tests of every subsystem.
#pragma once

#include "shell/main_window.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// ScriptedPrompts that also run a test's action whenever a command lets messages be processed or
// asks for input, and record the values input dialogs start with and where file dialogs start.
class WindowPrompts : public ScriptedPrompts {
public:
    std::function<void()> onProcessEvents;
    std::function<void()> onInput;
    QStringList inputStartValues;
    QStringList fileDialogDirs;
    QStringList fileDialogFilters;

    void processEvents() override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
};

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Chooses the server entry "user>label" standing for host, with user name and password.
    void ChooseServer(const QString& user, const QString& password, const QString& host,
                      const QString& label);
    void SetCroatian() { window->English1->setChecked(false); }
    // Runs a command of the window as its menu item does, by the item's object name ("Ping1").
    void Trigger(const char* command);
    // Status bar panels 0 to 5 as one list.
    QStringList Panels() const;
    void FillPanels(const QString& text);
    // Forgets the texts, icons and cursors shown so far.
    void ForgetPrompts();

    WindowPrompts prompts;
    std::unique_ptr<TQueryFrm1> window;
};
