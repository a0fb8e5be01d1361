// The grid on a read-only replica (scripts/testserver.sh replica): the status bar names it, and a
// write asks once per connection before it is sent.
#include "browse_fixture.h"

#include "support/cluster_servers.h"
#include "support/error_of.h"
#include "support/scratch_database.h"

#include <QListWidget>

using namespace testserver;

namespace {

class ReplicaBrowseTest : public BrowseTest {
protected:
    void SetUp() override {
        const std::string why = StartReplica();
        ASSERT_TRUE(why.empty()) << why;
        BrowseTest::SetUp();
        // The table is made on the primary and reaches the replica through replication, and so
        // does the drop at the end.
        primary = std::make_unique<ScratchDatabase>("browse_replica", kPrimaryHost);
        primary->Exec("CREATE TABLE t (id INT PRIMARY KEY, v INT)");
        primary->Exec("INSERT INTO t VALUES (1, 10), (2, 20)");
        replica = std::make_unique<RootConnection>(kReplicaHost);
        // The replica has applied everything up to the primary's last write.
        const std::string position = primary->Value("SELECT @@gtid_binlog_pos");
        ASSERT_EQ(replica->Value("SELECT MASTER_GTID_WAIT('" + position + "', 30)"), "0");
    }
    const std::string& Db() const { return primary->name(); }
    void OpenOn(const char* host, const QString& label) {
        ChooseServer(QStringLiteral("root"), QStringLiteral("kestrel"), QString::fromLatin1(host),
                     label);
        ASSERT_NO_FATAL_FAILURE(ClickDatabase(Db()));
        ASSERT_NO_FATAL_FAILURE(SelectTable(QStringLiteral("t")));
        window->ListBox1DblClick();
    }
    void SetValue(int id, const char* value) {
        // The rows come in key order: id 1 is the first record, id 2 the second.
        Query().SetRecNo(id);
        ASSERT_EQ(Query().FieldByName("id").AsString(), std::to_string(id));
        Query().Edit();
        Query().FieldByName("v").SetAsString(value);
        Query().Post();
    }
    std::string ReplicaValue(int id) {
        return replica->Value("SELECT v FROM " + primary->Table("t") +
                              " WHERE id = " + std::to_string(id));
    }

    std::unique_ptr<ScratchDatabase> primary;
    std::unique_ptr<RootConnection> replica;
};

} // namespace

TEST_F(ReplicaBrowseTest, StatusBarNamesAReadOnlyReplicaInBothLanguages) {
    ASSERT_NO_FATAL_FAILURE(OpenOn(kReplicaHost, QStringLiteral("copy")));
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Panels().mid(0, 5), QStringList({"copy (Read-only replica)", "root",
                                               QString::fromStdString(Db()), "t", "2"}));
    SetCroatian();
    window->ListBox1Click();
    EXPECT_EQ(Panels()[0], QStringLiteral("copy (Replika samo za čitanje)"));

    // The primary takes writes: nothing is added.
    window->English1->setChecked(true);
    ASSERT_NO_FATAL_FAILURE(OpenOn(kPrimaryHost, QStringLiteral("main")));
    ASSERT_TRUE(Query().Active());
    EXPECT_EQ(Panels()[0], QStringLiteral("main"));
}

TEST_F(ReplicaBrowseTest, AWriteOnAReplicaAsksOncePerConnection) {
    ASSERT_NO_FATAL_FAILURE(OpenOn(kReplicaHost, QStringLiteral("copy")));
    ASSERT_TRUE(Query().Active());
    ForgetPrompts();

    // No: nothing is sent, the row keeps its value in the grid and on the server.
    prompts.yesNo = {false};
    EXPECT_EQ(ErrorOf([&] { SetValue(1, "11"); }), "Not written.");
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].startsWith(QStringLiteral("The server is read-only or a replica")))
        << prompts.shown[0].toStdString();
    Query().Cancel();
    EXPECT_EQ(Query().FieldByName("v").AsString(), "10");
    EXPECT_EQ(ReplicaValue(1), "10");

    // Yes: written, and the next write on this connection is not asked about again.
    prompts.yesNo = {true};
    ASSERT_NO_FATAL_FAILURE(SetValue(1, "12"));
    ASSERT_NO_FATAL_FAILURE(SetValue(2, "22"));
    EXPECT_EQ(prompts.shown.size(), 2);
    EXPECT_EQ(ReplicaValue(1), "12");
    EXPECT_EQ(ReplicaValue(2), "22");

    // A new connection asks again.
    ASSERT_NO_FATAL_FAILURE(OpenOn(kReplicaHost, QStringLiteral("copy")));
    ForgetPrompts();
    prompts.yesNo = {false};
    EXPECT_EQ(ErrorOf([&] { SetValue(2, "23"); }), "Not written.");
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(ReplicaValue(2), "22");
}
