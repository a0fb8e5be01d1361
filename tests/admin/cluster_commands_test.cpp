// Ping and Kill against the nodes of a two-node Galera cluster (scripts/testserver.sh galera);
// skipped with the reason where the cluster cannot start.
#include "admin_fixture.h"

#include "support/cluster_servers.h"

#include <set>

using namespace testserver;

namespace {

class ClusterCommandsTest : public AdminTest {
protected:
    void SetUp() override {
        const std::string why = StartGalera();
        if (!why.empty())
            GTEST_SKIP() << why;
        AdminTest::SetUp();
    }
    void ChooseNode(const char* host) {
        Choose(QStringLiteral("root"), QStringLiteral("kestrel"), QString::fromLatin1(host));
    }
};

} // namespace

TEST_F(ClusterCommandsTest, PingSaysWhenANodeIsNotPartOfThePrimaryComponent) {
    ChooseNode(kGaleraSecondHost);
    Trigger("Ping1");
    ASSERT_TRUE(IsolateGaleraNode(kGaleraSecondHost, true));
    Trigger("Ping1");
    SetCroatian();
    Trigger("Ping1");
    window->English1->setChecked(true);
    const bool rejoined = IsolateGaleraNode(kGaleraSecondHost, false);
    Trigger("Ping1");
    EXPECT_EQ(prompts.shown,
              QStringList({"Alive!", "Alive, but not ready: not part of the primary component",
                           "Živ, ali nije spreman: nije dio primarne komponente", "Alive!"}))
        << prompts.shown.join('|').toStdString();
    EXPECT_TRUE(rejoined);
    EXPECT_FALSE(window->AdminHandle);
}

TEST_F(ClusterCommandsTest, KillOfAThreadOnTheOtherNodeIsRefused) {
    RootConnection first(kGaleraFirstHost);
    std::set<std::string> listedOnFirst;
    for (const auto& row : first.Rows("SHOW PROCESSLIST"))
        listedOnFirst.insert(row.at(0));
    // A connection to the other node whose id the first node does not list.
    std::vector<std::unique_ptr<RootConnection>> others;
    unsigned long id = 0;
    for (int i = 0; i < 20 && id == 0; ++i) {
        others.push_back(std::make_unique<RootConnection>(kGaleraSecondHost));
        const unsigned long candidate = ThreadId(others.back()->get());
        if (listedOnFirst.count(std::to_string(candidate)) == 0)
            id = candidate;
    }
    ASSERT_NE(id, 0u);
    ChooseNode(kGaleraFirstHost);
    prompts.inputs = {QString::number(id)};
    Trigger("Kill1");
    ASSERT_EQ(prompts.shown.size(), 3) << prompts.shown.join('|').toStdString();
    EXPECT_EQ(prompts.shown[2], QStringLiteral("Invalid thread ID!"));
    RootConnection second(kGaleraSecondHost);
    EXPECT_TRUE(ThreadListed(second, id));
}
