// The transact-server under pressure and against hostile clients: its limits on clients and on the
// login's duration, a client thread that cannot start, and control characters in the login.
#include "data/transact_dialogue.h"
#include "support/scratch_database.h"
#include "support/test_server.h"
#include "transact_server_process.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

using namespace std::string_literals;

namespace {

class TransactServerLimitsTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root.Exec(std::string("CREATE TABLE ") + Db() + ".t (id INT PRIMARY KEY) ENGINE=InnoDB");
    }

    std::string Count() { return root.Value(std::string("SELECT COUNT(*) FROM ") + Db() + ".t"); }

    static std::unique_ptr<TInetClientSocket> Connected(TransactServerProcess& server) {
        auto s = std::make_unique<TInetClientSocket>();
        s->Timeout = std::chrono::seconds(10);
        s->Connect("127.0.0.1", server.Port());
        return s;
    }

    // Logs in as root; answers the client, or null (with the last answer) when refused.
    static std::unique_ptr<TInetClientSocket>
    LogIn(TransactServerProcess& server, const std::string& login, const std::string& password,
          const std::string& database, std::string* lastAnswer = nullptr) {
        auto s = Connected(server);
        std::string answer;
        const bool in = RunTransactLogin(*s, login, password, database, answer);
        if (lastAnswer)
            *lastAnswer = answer;
        return in ? std::move(s) : nullptr;
    }
    std::unique_ptr<TInetClientSocket> LoggedIn(TransactServerProcess& server) const {
        std::string answer;
        auto s = LogIn(server, testserver::kRootUser, testserver::kRootPassword, Db(), &answer);
        EXPECT_TRUE(s) << answer;
        return s;
    }

    // Everything the server sends until it closes the connection.
    static std::string UntilClosed(TInetClientSocket& s) {
        std::string all;
        for (std::string got; !(got = s.Receive(4096)).empty();)
            all += got;
        return all;
    }

    testserver::RootConnection root;
};

TEST_F(TransactServerLimitsTest, AClientWhoseThreadCannotStartIsRefusedAndTheServerGoesOn) {
    TransactServerProcess server;
    auto a = LoggedIn(server);
    ASSERT_TRUE(a);
    ASSERT_EQ(TransactExchange(*a, "INSERT INTO t VALUES (1)").Text, "OK matched=1 insert_id=0\n");

    // Leave the server about one megabyte of address space: a thread's stack no longer fits.
    std::ifstream status("/proc/" + std::to_string(server.Pid()) + "/status");
    std::string line;
    rlim_t sizeKb = 0;
    while (std::getline(status, line))
        if (line.starts_with("VmSize:"))
            sizeKb = std::stoull(line.substr(7));
    ASSERT_GT(sizeKb, 0u);
    rlimit old{};
    ASSERT_EQ(::prlimit(server.Pid(), RLIMIT_AS, nullptr, &old), 0);
    const rlimit tight{(sizeKb + 1024) * 1024, old.rlim_max};
    ASSERT_EQ(::prlimit(server.Pid(), RLIMIT_AS, &tight, nullptr), 0);

    auto b = Connected(server);
    const std::string refusal = UntilClosed(*b);
    EXPECT_TRUE(refusal.starts_with("Refused: the transact-server cannot start a client now"))
        << refusal;
    ASSERT_TRUE(server.Running());
    ASSERT_EQ(::prlimit(server.Pid(), RLIMIT_AS, &old, nullptr), 0);

    // The client served before keeps its transaction; new clients are served again.
    EXPECT_EQ(TransactExchange(*a, "COMMIT").Text, "OK\n");
    EXPECT_EQ(Count(), "1");
    EXPECT_TRUE(LoggedIn(server));
}

TEST_F(TransactServerLimitsTest, AClientBeyondTheLimitIsRefusedUntilAPlaceIsFree) {
    TransactServerProcess server({"--max-clients", "2"});
    auto a = LoggedIn(server);
    auto b = LoggedIn(server);
    ASSERT_TRUE(a && b);
    auto c = Connected(server);
    EXPECT_EQ(UntilClosed(*c), "Refused: the transact-server serves 2 clients already\n");
    EXPECT_EQ(TransactExchange(*b, "INSERT INTO t VALUES (2)").Text, "OK matched=1 insert_id=0\n");
    EXPECT_EQ(TransactExchange(*b, "COMMIT").Text, "OK\n");

    a->Send("QUIT;\n");
    EXPECT_EQ(a->Receive(10), "");
    // The place a client leaves is free once its thread has ended.
    std::unique_ptr<TInetClientSocket> d;
    for (int tries = 0; !d && tries < 50; ++tries) {
        d = LogIn(server, testserver::kRootUser, testserver::kRootPassword, Db());
        if (!d)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(d) << "no place came free after a client quit";
    EXPECT_EQ(TransactExchange(*d, "SELECT COUNT(*) FROM t").Text, "OK matched=1 insert_id=0\n");
}

TEST_F(TransactServerLimitsTest, ALoginNotFinishedInTimeIsDroppedButIdleClientsStay) {
    TransactServerProcess server({"--login-timeout", "1"});
    auto idle = LoggedIn(server);
    ASSERT_TRUE(idle);

    auto silent = Connected(server);
    auto slow = Connected(server);
    slow->Send("root\n");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(UntilClosed(*silent), "login: Login timed out\n");
    EXPECT_EQ(UntilClosed(*slow), "login: password: Login timed out\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // The limit is on the login only: a client that logged in may stay quiet for longer.
    EXPECT_EQ(TransactExchange(*idle, "INSERT INTO t VALUES (3)").Text,
              "OK matched=1 insert_id=0\n");
    EXPECT_EQ(TransactExchange(*idle, "COMMIT").Text, "OK\n");
    EXPECT_EQ(Count(), "1");
}

TEST_F(TransactServerLimitsTest, ControlCharactersInLoginPasswordOrDatabaseAreRefused) {
    const std::string logFile = ::testing::TempDir() + "kt_trans_limits.log";
    {
        TransactServerProcess server({}, logFile);
        const std::string root = testserver::kRootUser, password = testserver::kRootPassword;
        std::string answer;
        // A NUL would cut each of these short on the way to MySQL, which would then accept them.
        EXPECT_FALSE(LogIn(server, root + "\0junk"s, password, Db(), &answer));
        EXPECT_FALSE(LogIn(server, root, password + "\0anything"s, Db(), &answer));
        EXPECT_FALSE(LogIn(server, "ro\x01ot", password, Db(), &answer));
        EXPECT_FALSE(LogIn(server, root, password + "\t", Db(), &answer));
        EXPECT_FALSE(LogIn(server, root, password, Db() + "\0other"s, &answer));
        EXPECT_EQ(answer, "A database name cannot hold a control character\n");

        auto c = LoggedIn(server);
        ASSERT_TRUE(c);
        EXPECT_EQ(TransactExchange(*c, "CONNECT mysql\x1b").Text,
                  "A database name cannot hold a control character\n");
        EXPECT_EQ(TransactExchange(*c, "INSERT INTO t VALUES (4)").Text,
                  "OK matched=1 insert_id=0\n")
            << "the database chosen before stays chosen";
        EXPECT_EQ(TransactExchange(*c, "COMMIT").Text, "OK\n");
        EXPECT_EQ(Count(), "1");
    }
    std::ifstream in(logFile, std::ios::binary);
    std::stringstream log;
    log << in.rdbuf();
    const std::string text = log.str();
    EXPECT_NE(text.find("login refused"), std::string::npos) << text;
    for (const char ch : text) {
        if (ch != '\n') {
            ASSERT_FALSE(static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f)
                << "a raw control character reached the log:\n"
                << text;
        }
    }
}

} // namespace
