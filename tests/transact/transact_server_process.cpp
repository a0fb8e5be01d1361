#include "transact_server_process.h"

#include "support/test_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>

extern char** environ;

TransactServerProcess::TransactServerProcess(const std::vector<std::string>& extra,
                                             const std::string& logFile) {
    std::vector<std::string> args{KESTREL_TRANSACT_SERVER, "--port", "0", "--listen", "127.0.0.1"};
    // Against the MySQL server the tests use, so that a work tree's own instance serves.
    args.insert(args.end(), {"--mysql-host", testserver::kHost, "--mysql-port",
                             std::to_string(testserver::kPort)});
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe(fds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return;
    }
    const std::unique_ptr<int, void (*)(int*)> readEnd(&fds[0], [](int* fd) { ::close(*fd); });
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    if (!logFile.empty())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int rc = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        pid_ = -1;
        ADD_FAILURE() << "cannot start " << argv[0];
        return;
    }
    // The first line says where the server listens.
    std::string out;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (out.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{*readEnd, POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0)
            continue;
        char buf[256];
        const ssize_t got = ::read(*readEnd, buf, sizeof buf);
        if (got <= 0)
            break;
        out.append(buf, static_cast<std::size_t>(got));
    }
    const auto colon = out.rfind(':');
    if (out.find("listening on 127.0.0.1:") == std::string::npos || colon == std::string::npos) {
        ADD_FAILURE() << "the transact-server did not start: " << out;
        return;
    }
    port_ = static_cast<std::uint16_t>(std::stoi(out.substr(colon + 1)));
}

bool TransactServerProcess::Running() {
    return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0;
}

TransactServerProcess::~TransactServerProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}
