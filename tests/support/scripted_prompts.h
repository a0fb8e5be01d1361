// Prompts for tests: records every text shown, in order, and answers from queued replies. A reply
// that a test did not queue fails the test and answers No / Cancel.
#pragma once

#include "ui/launcher.h"
#include "ui/prompts.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

class ScriptedPrompts : public Prompts {
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;

    // What the program showed: messages and questions as their text, input dialogs as
    // "caption|prompt", dialogs as their object name.
    QStringList shown;
    QList<PromptIcon> icons;
    std::deque<bool> yesNo;
    std::deque<std::optional<QString>> inputs;
    std::deque<QString> files;
    // Each queued function fills a modal dialog and closes it (for example by clicking its OK).
    std::deque<std::function<void(QDialog&)>> dialogs;
    int beeps = 0;
    QList<CursorShape> cursors;

    void message(const QString& text, PromptIcon icon) override;
    bool askYesNo(const QString& text) override;
    // Recorded like askYesNo, with the warning icon.
    bool askWarningYesNo(const QString& text) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    // Recorded and answered like openFileName, from the same queue.
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    int runDialog(QDialog& dialog) override;
    void beep() override { ++beeps; }
    void setCursor(CursorShape shape) override { cursors.append(shape); }
    void processEvents() override;
};

// Records the files and addresses the program asked to open.
class RecordingLauncher : public Launcher {
public:
    RecordingLauncher();
    ~RecordingLauncher() override;
    QStringList files;
    QStringList addresses;
    bool openFile(const QString& path) override {
        files.append(path);
        return true;
    }
    bool openAddress(const QString& address) override {
        addresses.append(address);
        return true;
    }
};

// Empties the program's settings (tests keep them in a temporary folder).
void ClearSettings();
