#include "support/main_window_fixture.h"

#include "commands/server_entry.h"
#include "ui/status_bar.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

void WindowPrompts::processEvents() {
    ScriptedPrompts::processEvents();
    if (onProcessEvents)
        onProcessEvents();
}

std::optional<QString> WindowPrompts::input(const QString& caption, const QString& prompt,
                                            const QString& value) {
    inputStartValues.append(value);
    if (onInput)
        onInput();
    return ScriptedPrompts::input(caption, prompt, value);
}

QString WindowPrompts::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter) {
    fileDialogDirs.append(dir);
    fileDialogFilters.append(filter);
    return ScriptedPrompts::openFileName(parent, caption, dir, filter);
}

void MainWindowFixture::SetUp() {
    testserver::EnsureClientLibrary();
    ClearSettings();
    window = std::make_unique<TQueryFrm1>();
}

void MainWindowFixture::TearDown() {
    window.reset();
    ClearSettings();
}

void MainWindowFixture::ChooseServer(const QString& user, const QString& password,
                                     const QString& host, const QString& label) {
    window->edtHostname->clear();
    window->edtHostname->addItem(ServerEntry(user, label));
    window->edtHostname->setCurrentIndex(0);
    window->CurrentHost = host;
    window->edtUsername->setText(user);
    window->edtPasswd->setText(password);
}

void MainWindowFixture::Trigger(const char* command) {
    if (QAction* item = window->CommandAction(command))
        item->trigger();
    else
        ADD_FAILURE() << "no menu item " << command;
}

QStringList MainWindowFixture::Panels() const {
    QStringList texts;
    for (int i = 0; i <= 5; ++i)
        texts.append(window->FRSB1->panelText(i));
    return texts;
}

void MainWindowFixture::FillPanels(const QString& text) {
    for (int i = 0; i <= 5; ++i)
        window->FRSB1->setPanelText(i, text + QString::number(i));
}

void MainWindowFixture::ForgetPrompts() {
    prompts.shown.clear();
    prompts.icons.clear();
    prompts.cursors.clear();
}
