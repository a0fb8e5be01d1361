#include "browse_fixture.h"

#include "data/sql_names.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

QString BrowsePrompts::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter) {
    fileDialogDirs.append(dir);
    fileDialogFilters.append(filter);
    return ScriptedPrompts::openFileName(parent, caption, dir, filter);
}

void BrowseTest::SetUp() {
    testserver::EnsureClientLibrary();
    ClearSettings();
    root = std::make_unique<testserver::RootConnection>();
    ASSERT_TRUE(workDir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    window = std::make_unique<TQueryFrm1>();
    dm = std::make_unique<TDM1>();
}

void BrowseTest::TearDown() {
    dm.reset();
    window.reset();
    QDir::setCurrent(previousDir);
    for (const std::string& name : created)
        root->Exec("DROP DATABASE IF EXISTS " + QuoteName(name));
    ClearSettings();
}

void BrowseTest::Choose(const QString& user, const QString& password, const QString& label) {
    window->edtHostname->clear();
    window->edtHostname->addItem(user + QLatin1Char('>') + label);
    window->edtHostname->setCurrentIndex(0);
    window->CurrentHost = QString::fromLatin1(testserver::kHost);
    window->edtUsername->setText(user);
    window->edtPasswd->setText(password);
}

void BrowseTest::CreateDatabase(const std::string& name) {
    created.push_back(name);
    root->Exec("DROP DATABASE IF EXISTS " + QuoteName(name));
    root->Exec("CREATE DATABASE " + QuoteName(name));
}

void BrowseTest::Exec(const std::string& database, const std::string& sql) {
    root->Exec("USE " + QuoteName(database));
    root->Exec(sql);
}

void BrowseTest::ClickDatabase(const std::string& name) {
    window->ShowDatabases1Click();
    const int i = window->RadioGroup1->items().indexOf(QString::fromStdString(name));
    ASSERT_GE(i, 0) << name;
    window->RadioGroup1->setItemIndex(i);
    window->RadioGroup1Click();
}

void BrowseTest::SelectTable(const QString& name) {
    const QList<QListWidgetItem*> items = window->ListBox1->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    window->ListBox1->setCurrentItem(items.front());
}

void BrowseTest::SetMemo(const QStringList& lines) {
    window->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList BrowseTest::MemoText() const {
    const QString text = window->Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QStringList BrowseTest::Panels() const {
    QStringList texts;
    for (int i = 0; i <= 5; ++i)
        texts.append(window->FRSB1->panelText(i));
    return texts;
}

void BrowseTest::FillPanels(const QString& text) {
    for (int i = 0; i <= 5; ++i)
        window->FRSB1->setPanelText(i, text + QString::number(i));
}

void BrowseTest::ForgetPrompts() {
    prompts.shown.clear();
    prompts.icons.clear();
    prompts.cursors.clear();
}
