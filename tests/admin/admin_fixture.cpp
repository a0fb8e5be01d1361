#include "admin_fixture.h"

#include <chrono>
#include <thread>

unsigned long ThreadId(MYSQL* handle) {
    return handle ? Client().mysql_thread_id(handle) : 0;
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
