#include "admin_fixture.h"

#include "ui/status_bar.h"

#include <QComboBox>
#include <QLineEdit>

#include <chrono>
#include <cstdlib>
#include <thread>

void HookedPrompts::processEvents() {
    ScriptedPrompts::processEvents();
    if (onProcessEvents)
        onProcessEvents();
}

std::optional<QString> HookedPrompts::input(const QString& caption, const QString& prompt,
                                            const QString& value) {
    inputStartValues.append(value);
    if (onInput)
        onInput();
    return ScriptedPrompts::input(caption, prompt, value);
}

void AdminTest::SetUp() {
    testserver::EnsureClientLibrary();
    ClearSettings();
    window = std::make_unique<TQueryFrm1>();
}

void AdminTest::TearDown() {
    window.reset();
    ClearSettings();
}

void AdminTest::Choose(const QString& user, const QString& password, const QString& host,
                       const QString& label) {
    window->edtHostname->clear();
    window->edtHostname->addItem(user + QLatin1Char('>') + (label.isEmpty() ? host : label));
    window->edtHostname->setCurrentIndex(0);
    window->CurrentHost = host;
    window->edtUsername->setText(user);
    window->edtPasswd->setText(password);
}

QStringList AdminTest::Panels() const {
    QStringList texts;
    for (int i = 0; i <= 5; ++i)
        texts.append(window->FRSB1->panelText(i));
    return texts;
}

void AdminTest::FillPanels(const QString& text) {
    for (int i = 0; i <= 5; ++i)
        window->FRSB1->setPanelText(i, text + QString::number(i));
}

unsigned long ThreadId(MYSQL* handle) {
    return handle ? Client().mysql_thread_id(handle) : 0;
}

bool ThreadListed(testserver::RootConnection& root, unsigned long id) {
    for (const auto& row : root.Rows("SHOW PROCESSLIST"))
        if (!row.empty() && row[0] == std::to_string(id))
            return true;
    return false;
}

void KillAndWait(testserver::RootConnection& root, unsigned long id) {
    root.Exec("KILL " + std::to_string(id));
    for (int i = 0; i < 100 && ThreadListed(root, id); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_FALSE(ThreadListed(root, id)) << "thread " << id << " does not end";
}

QStringList ServerDatabases(testserver::RootConnection& root) {
    QStringList names;
    for (const auto& row : root.Rows("SHOW DATABASES"))
        names.append(QString::fromStdString(row.at(0)));
    return names;
}

bool TestServerScript(const std::string& arguments) {
    const std::string command =
        "bash '" KESTREL_SOURCE_DIR "/scripts/testserver.sh' " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}
