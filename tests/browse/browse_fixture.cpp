#include "browse_fixture.h"

#include "data/sql_names.h"
#include "ui/radio_group.h"

#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>

void BrowseTest::SetUp() {
    MainWindowFixture::SetUp();
    root = std::make_unique<testserver::RootConnection>();
    ASSERT_TRUE(workDir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    dm = std::make_unique<TDM1>();
}

void BrowseTest::TearDown() {
    dm.reset();
    MainWindowFixture::TearDown();
    QDir::setCurrent(previousDir);
    for (const std::string& name : created)
        root->Exec("DROP DATABASE IF EXISTS " + QuoteName(name));
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
