#include "ui/prompts.h"

#include "ui/long_message_box.h"
#include "ui/operator_log.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <algorithm>

namespace {

// What a title bar takes beside its caption: the icon and the window buttons.
constexpr int kTitleButtonsWidth = 120;
// The margin of a dialog's layout on either side.
constexpr int kDialogMargin = 12;

class WidgetPrompts final : public Prompts {
public:
    void message(const QString& text, PromptIcon icon) override {
        const QMessageBox::Icon kind = icon == PromptIcon::Error     ? QMessageBox::Critical
                                       : icon == PromptIcon::Warning ? QMessageBox::Warning
                                                                     : QMessageBox::Information;
        if (NeedsScrollingBox(text)) {
            withArrow([&] {
                ShowScrollingMessage(QApplication::activeWindow(), QApplication::applicationName(),
                                     kind, text);
            });
            return;
        }
        QMessageBox box(kind, QApplication::applicationName(), MessageBoxText(text),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText); // server texts are shown as they come, never as markup
        withArrow([&] { box.exec(); });
    }
    bool askYesNo(const QString& text) override {
        QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        int answer = QMessageBox::No;
        withArrow([&] { answer = box.exec(); });
        return answer == QMessageBox::Yes;
    }
    bool askWarningYesNo(const QString& text) override {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text,
                        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        int answer = QMessageBox::No;
        withArrow([&] { answer = box.exec(); });
        return answer == QMessageBox::Yes;
    }
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(caption);
        // The prompt's label is the buddy of the field, so an ampersand would mark a shortcut.
        dialog.setLabelText(QString(prompt).replace(QLatin1Char('&'), QStringLiteral("&&")));
        dialog.setTextValue(value);
        for (QLabel* label : dialog.findChildren<QLabel*>())
            label->setTextFormat(Qt::PlainText);
        // Wide enough for the caption to be read whole in the title bar (often in bold) beside
        // the bar's icon and buttons; the field takes the width.
        QFont titleFont = dialog.font();
        titleFont.setBold(true);
        const int wanted =
            QFontMetrics(titleFont).horizontalAdvance(caption) * 5 / 4 + kTitleButtonsWidth;
        if (auto* field = dialog.findChild<QLineEdit*>())
            field->setMinimumWidth(std::max(field->minimumWidth(), wanted - 2 * kDialogMargin));
        int result = QDialog::Rejected;
        withArrow([&] { result = dialog.exec(); });
        if (result != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    }
    int runDialog(QDialog& dialog) override { return dialog.exec(); }
    void beep() override { QApplication::beep(); }
    void setCursor(CursorShape shape) override {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        if (shape != CursorShape::Arrow)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    void processEvents() override { QApplication::processEvents(); }

private:
    // A box the operator must read gets the ordinary arrow while it is open.
    template <typename F> void withArrow(F f) {
        const bool busy = QApplication::overrideCursor() != nullptr;
        if (busy)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        f();
        if (busy)
            QApplication::restoreOverrideCursor();
    }
};

// Writes every error and warning the operator is shown to the operator's log, whichever prompts
// show it.
class LoggingPrompts final : public Prompts {
public:
    Prompts* inner = nullptr;

    void message(const QString& text, PromptIcon icon) override {
        if (icon != PromptIcon::Information)
            WriteOperatorLog(text);
        inner->message(text, icon);
    }
    bool askYesNo(const QString& text) override { return inner->askYesNo(text); }
    bool askWarningYesNo(const QString& text) override { return inner->askWarningYesNo(text); }
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override {
        return inner->input(caption, prompt, value);
    }
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override {
        return inner->openFileName(parent, caption, dir, filter);
    }
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override {
        return inner->saveFileName(parent, caption, dir, filter);
    }
    int runDialog(QDialog& dialog) override { return inner->runDialog(dialog); }
    void beep() override { inner->beep(); }
    void setCursor(CursorShape shape) override { inner->setCursor(shape); }
    void processEvents() override { inner->processEvents(); }
};

Prompts* g_installed = nullptr;

} // namespace

Prompts& prompts() {
    static WidgetPrompts real;
    static LoggingPrompts logging;
    logging.inner = g_installed ? g_installed : &real;
    return logging;
}

void setPrompts(Prompts* p) {
    g_installed = p;
}

BusyCursor::BusyCursor() {
    prompts().processEvents();
    prompts().setCursor(CursorShape::SqlWait);
}

BusyCursor::~BusyCursor() {
    prompts().setCursor(CursorShape::Arrow);
}
