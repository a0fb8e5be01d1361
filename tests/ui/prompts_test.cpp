// The real prompts show texts as they come: a server text that looks like markup is shown with its
// angle brackets, never rendered.
#include "ui/prompts.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kServerText = QStringLiteral("Unknown database 'x <b>bold</b> &lt;i&gt;'");

// What the operator can read of every label and text field of the modal dialog that open() shows,
// as assistive technology reads it; the dialog is closed afterwards.
QStringList ReadModalDialog(const std::function<void()>& open) {
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QPlainTextEdit*>(w))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (auto* text = a ? a->textInterface() : nullptr)
                texts << text->text(0, text->characterCount());
            else if (a)
                texts << a->text(QAccessible::Name);
        }
        dialog->reject();
    });
    poll.start(10);
    open();
    return texts;
}

TEST(PromptsTest, EveryBoxShowsServerTextsAsPlainText) {
    const QString longText = kServerText + QStringLiteral("\nline").repeated(40);
    for (const QString& text : {kServerText, longText}) {
        const QStringList read = ReadModalDialog([&] { prompts().message(text); });
        EXPECT_TRUE(read.contains(text)) << read.join('|').toStdString();
    }
    const QStringList question = ReadModalDialog([] { prompts().askYesNo(kServerText); });
    EXPECT_TRUE(question.contains(kServerText)) << question.join('|').toStdString();
    const QStringList input = ReadModalDialog(
        [] { prompts().input(QStringLiteral("Kill process"), kServerText, QString()); });
    EXPECT_TRUE(input.contains(kServerText)) << input.join('|').toStdString();
}

} // namespace
