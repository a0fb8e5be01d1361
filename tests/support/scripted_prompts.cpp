#include "support/scripted_prompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QSettings>

#include <gtest/gtest.h>

ScriptedPrompts::ScriptedPrompts() {
    setPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    setPrompts(nullptr);
    EXPECT_TRUE(yesNo.empty()) << "unused Yes/No answers";
    EXPECT_TRUE(inputs.empty()) << "unused input answers";
    EXPECT_TRUE(dialogs.empty()) << "unused dialog scripts";
    EXPECT_TRUE(files.empty()) << "unused file answers";
}

void ScriptedPrompts::message(const QString& text, PromptIcon icon) {
    shown.append(text);
    icons.append(icon);
}

bool ScriptedPrompts::askWarningYesNo(const QString& text) {
    const bool answer = askYesNo(text);
    icons.back() = PromptIcon::Warning;
    return answer;
}

bool ScriptedPrompts::askYesNo(const QString& text) {
    shown.append(text);
    icons.append(PromptIcon::Information);
    if (yesNo.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::input(const QString& caption, const QString& prompt,
                                              const QString&) {
    shown.append(caption + QLatin1Char('|') + prompt);
    icons.append(PromptIcon::Information);
    if (inputs.empty()) {
        ADD_FAILURE() << "unexpected input dialog: " << caption.toStdString();
        return std::nullopt;
    }
    const bool given = inputs.front().has_value();
    const QString text = given ? *inputs.front() : QString();
    inputs.pop_front();
    if (!given)
        return std::nullopt;
    return text;
}

QString ScriptedPrompts::openFileName(QWidget*, const QString& caption, const QString&,
                                      const QString&) {
    shown.append(caption);
    icons.append(PromptIcon::Information);
    if (files.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << caption.toStdString();
        return {};
    }
    QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedPrompts::saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter) {
    return openFileName(parent, caption, dir, filter);
}

int ScriptedPrompts::runDialog(QDialog& dialog) {
    shown.append(dialog.objectName());
    icons.append(PromptIcon::Information);
    if (dialogs.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << dialog.objectName().toStdString();
        return QDialog::Rejected;
    }
    auto script = dialogs.front();
    dialogs.pop_front();
    dialog.setResult(QDialog::Rejected);
    script(dialog);
    return dialog.result();
}

void ScriptedPrompts::processEvents() {
    QCoreApplication::processEvents();
}

RecordingLauncher::RecordingLauncher() {
    setLauncher(this);
}
RecordingLauncher::~RecordingLauncher() {
    setLauncher(nullptr);
}

void ClearSettings() {
    QSettings s(QStringLiteral("Norvane"), QStringLiteral("Quillmark"));
    s.clear();
    s.sync();
}
