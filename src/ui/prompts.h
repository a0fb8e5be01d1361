// Every message box, question, input dialog, file dialog, modal dialog, beep and cursor change of
// the program goes through Prompts, so tests can script the operator's answers and read back what
// was shown, in order.
#pragma once

#include <QString>

#include <optional>

class QDialog;
class QWidget;

enum class PromptIcon { Information, Warning, Error };
enum class CursorShape { Arrow, Busy, SqlWait };

class Prompts {
public:
    virtual ~Prompts() = default;
    // A message box with one OK button.
    virtual void message(const QString& text, PromptIcon icon = PromptIcon::Information) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A Yes/No question with a warning sign; true for Yes.
    virtual bool askWarningYesNo(const QString& text) { return askYesNo(text); }
    // A one-line input dialog; nothing when cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& value) = 0;
    // A file-open dialog; empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // A file-save dialog (it asks before replacing a file); empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // Shows a dialog modally and answers its result code.
    virtual int runDialog(QDialog& dialog) = 0;
    virtual void beep() = 0;
    virtual void setCursor(CursorShape shape) = 0;
    // Lets pending window messages be processed.
    virtual void processEvents() = 0;
};

// The prompts in force: the real dialogs unless a test installed others.
Prompts& prompts();
// Installs p (not owned); nullptr restores the real dialogs.
void setPrompts(Prompts* p);

// The busy indication of long commands: lets pending messages be processed and sets the SQL-wait
// cursor; the arrow comes back when the object goes, on every way out.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
