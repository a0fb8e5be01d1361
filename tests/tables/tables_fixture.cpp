#include "tables_fixture.h"

#include "data/sql_names.h"
#include "ui/radio_group.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

void TablesTest::SetUp() {
    MainWindowFixture::SetUp();
    root = std::make_unique<testserver::RootConnection>();
    ASSERT_TRUE(workDir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    dm = std::make_unique<TDM1>();
}

void TablesTest::TearDown() {
    dm.reset();
    MainWindowFixture::TearDown();
    QDir::setCurrent(previousDir);
    for (const std::string& name : created)
        root->Exec("DROP DATABASE IF EXISTS " + QuoteName(name));
}

void TablesTest::ChooseRoot() {
    ChooseServer(QString::fromLatin1(testserver::kRootUser),
                 QString::fromLatin1(testserver::kRootPassword),
                 QString::fromLatin1(testserver::kHost), QStringLiteral("testsrv"));
}

void TablesTest::CreateDatabase(const std::string& name) {
    created.push_back(name);
    root->Exec("DROP DATABASE IF EXISTS " + QuoteName(name));
    root->Exec("CREATE DATABASE " + QuoteName(name) + " CHARACTER SET utf8mb4");
}

void TablesTest::Exec(const std::string& database, const std::string& sql) {
    root->Exec("USE " + QuoteName(database));
    root->Exec(sql);
}

QStringList TablesTest::ServerTables(const std::string& database) {
    QStringList names;
    for (const auto& row : root->Rows("SHOW TABLES FROM " + QuoteName(database)))
        names.append(QString::fromStdString(row.at(0)));
    names.sort();
    return names;
}

void TablesTest::ClickDatabase(const std::string& name) {
    window->ShowDatabases1Click();
    const int i = window->RadioGroup1->items().indexOf(QString::fromStdString(name));
    ASSERT_GE(i, 0) << name;
    window->RadioGroup1->setItemIndex(i);
    window->RadioGroup1Click();
}

void TablesTest::SelectTable(const QString& name) {
    const QList<QListWidgetItem*> items = window->ListBox1->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    window->ListBox1->setCurrentItem(items.front());
}

QString TablesTest::ReportPath(const char* name) const {
    return QDir(workDir.path()).absoluteFilePath(QString::fromLatin1(name));
}

QByteArray TablesTest::Report(const char* name) const {
    QFile file(ReportPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray CrLfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}
