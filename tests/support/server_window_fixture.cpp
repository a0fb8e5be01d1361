#include "support/server_window_fixture.h"

#include "data/sql_names.h"
#include "ui/radio_group.h"

#include <QDir>
#include <QListWidget>

void ServerWindowFixture::SetUp() {
    MainWindowFixture::SetUp();
    root = std::make_unique<testserver::RootConnection>();
    ASSERT_TRUE(workDir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    dm = std::make_unique<TDM1>();
    window->AttachDataModule(*dm);
}

void ServerWindowFixture::TearDown() {
    dm.reset();
    MainWindowFixture::TearDown();
    QDir::setCurrent(previousDir);
    created.clear();
}

void ServerWindowFixture::CreateDatabase(const std::string& name) {
    created.push_back(std::make_unique<testserver::ScratchDatabase>(
        testserver::ScratchDatabase::Exactly{name}, testserver::kHost, createOptions));
}

void ServerWindowFixture::Exec(const std::string& database, const std::string& sql) {
    root->Exec("USE " + QuoteName(database));
    root->Exec(sql);
}

void ServerWindowFixture::ClickDatabase(const std::string& name) {
    Trigger("ShowDatabases1");
    const int i = window->RadioGroup1->items().indexOf(QString::fromStdString(name));
    ASSERT_GE(i, 0) << name;
    window->RadioGroup1->setItemIndex(i);
    window->RadioGroup1Click();
}

void ServerWindowFixture::SelectTable(const QString& name) {
    const QList<QListWidgetItem*> items = window->ListBox1->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    window->ListBox1->setCurrentItem(items.front());
}
