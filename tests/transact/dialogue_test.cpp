// The client side of the dialogue against scripted listeners: greetings, answers that arrive in
// pieces, wrong answers, over-long answers and statements that cannot travel as one line.
#include "data/transact_dialogue.h"
#include "scripted_listener.h"

#include <gtest/gtest.h>

namespace {

using L = ScriptedListener;

// The steps of a server that lets the login "u"/"p" into database "db".
std::vector<L::Step> Login() {
    return {L::Send("login: "), L::ReadLine(), L::Send("password: "), L::ReadLine(),
            L::Send("\n\r"),    L::ReadLine(), L::Send("OK\n")};
}

std::vector<L::Step> Then(std::vector<L::Step> a, const std::vector<L::Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Client {
    explicit Client(const L& server) { socket.Connect("127.0.0.1", server.Port()); }
    bool Login(const std::string& database = "db") {
        return RunTransactLogin(socket, "u", "p", database, lastAnswer);
    }
    TInetClientSocket socket;
    std::string lastAnswer;
};

TEST(TransactDialogue, GreetingBeforeThePromptIsAcceptedButNotASecondOne) {
    {
        L server(Then({L::Send("Welcome to the test server\r\n"), L::Pause()}, Login()));
        Client c(server);
        EXPECT_TRUE(c.Login());
        c.socket.Close();
        server.Finish();
        EXPECT_EQ(server.Lines(), (std::vector<std::string>{"u", "p", "CONNECT db;"}));
    }
    {
        L server(
            Then({L::Send("Welcome\n"), L::Pause(), L::Send("More news\n"), L::Pause()}, Login()));
        Client c(server);
        EXPECT_FALSE(c.Login());
        EXPECT_EQ(c.lastAnswer, "More news\n");
        c.socket.Close();
        server.Finish();
        EXPECT_TRUE(server.Lines().empty()) << "the login was sent after a third read";
    }
}

TEST(TransactDialogue, AnswersSplitIntoPiecesAreJudgedWhole) {
    L server({L::Send("log"),        L::Pause(), L::Send("in: "),        L::ReadLine(),
              L::Send("pass"),       L::Pause(), L::Send("word: "),      L::ReadLine(),
              L::Send("\n"),         L::Pause(), L::Send("\r"),          L::ReadLine(),
              L::Send("O"),          L::Pause(), L::Send("K\n"),         L::ReadLine(),
              L::Send("Duplicate "), L::Pause(), L::Send("entry '1'\n"), L::ReadLine(),
              L::Send("OK\n")});
    Client c(server);
    ASSERT_TRUE(c.Login()) << c.lastAnswer;
    EXPECT_EQ(TransactExchange(c.socket, "INSERT INTO t VALUES (1)").Text, "Duplicate entry '1'\n");
    EXPECT_TRUE(IsOkAnswer(TransactExchange(c.socket, "COMMIT").Text));
    c.socket.Close();
    server.Finish();
    EXPECT_EQ(server.Lines(), (std::vector<std::string>{"u", "p", "CONNECT db;",
                                                        "INSERT INTO t VALUES (1);", "COMMIT;"}));
}

TEST(TransactDialogue, AnOverLongAnswerIsCutAndTheNextAnswerStaysInStep) {
    L server(Then(Login(), {L::ReadLine(), L::Send(std::string(20000, 'x') + "\n"), L::ReadLine(),
                            L::Send("OK\n")}));
    Client c(server);
    ASSERT_TRUE(c.Login());
    const TransactAnswer first = TransactExchange(c.socket, "SELECT 1");
    EXPECT_EQ(first.Text, std::string(kTransactAnswerLimit, 'x'));
    EXPECT_TRUE(first.InStep);
    EXPECT_EQ(TransactExchange(c.socket, "SELECT 2").Text, "OK\n");
}

} // namespace
