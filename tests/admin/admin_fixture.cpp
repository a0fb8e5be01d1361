#include "admin_fixture.h"

#include <chrono>
#include <cstdlib>
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

bool TestServerScript(const std::string& arguments) {
    const std::string command =
        "bash '" KESTREL_SOURCE_DIR "/scripts/testserver.sh' " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}
