#include "support/test_server.h"

#include "data/client_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>

namespace {

// Loads the library afresh for one test and releases it afterwards.
class ClientLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { UnloadClientLibrary(); }
    void TearDown() override {
        unsetenv("KESTREL_CLIENT_LIBRARY");
        UnloadClientLibrary();
    }
};

TEST_F(ClientLibraryTest, LoadsOnceAndFillsTheTableInOrder) {
    std::vector<std::string> reported;
    auto report = [&](const std::string& t) { reported.push_back(t); };
    ASSERT_TRUE(LoadClientLibrary(report));
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(ClientLibraryName(), "libmariadb.so.3");

    // A second load changes nothing and answers false.
    const auto init = Client().mysql_init;
    EXPECT_FALSE(LoadClientLibrary(report));
    EXPECT_EQ(Client().mysql_init, init);
    EXPECT_TRUE(reported.empty());

    // Every slot is filled: from the library, or by a fallback for what it dropped; a slot the
    // library filled holds the entry point of its name.
    const auto* slots =
        reinterpret_cast<void* const*>(static_cast<const ClientEntryPointTable*>(&Client()));
    void* library = dlopen("libmariadb.so.3", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr);
    for (std::size_t i = 0; i < kClientEntryPointCount; ++i) {
        const std::string name = kClientEntryPointNames[i];
        if (name == "mysql_connect" || name == "mysql_create_db" || name == "mysql_drop_db")
            EXPECT_NE(slots[i], nullptr) << name;
        else
            EXPECT_TRUE(ClientEntryPointExported(i)) << name;
        if (ClientEntryPointExported(i)) {
            EXPECT_EQ(slots[i], dlsym(library, name.c_str())) << name;
        }
    }
    EXPECT_EQ(reinterpret_cast<void*>(Client().mysql_init), dlsym(library, "mysql_init"));
    dlclose(library);
    EXPECT_NE(Client().mysql_errno, nullptr);
    EXPECT_NE(Client().mysql_sqlstate, nullptr);
    EXPECT_NE(Client().mysql_num_rows, nullptr);

    UnloadClientLibrary();
    EXPECT_TRUE(ClientLibraryName().empty());
    EXPECT_EQ(Client().mysql_init, nullptr);
}

TEST_F(ClientLibraryTest, MissingLibraryIsReportedOnceByItsName) {
    setenv("KESTREL_CLIENT_LIBRARY", "libnot-a-client-library.so", 1);
    std::vector<std::string> reported;
    EXPECT_FALSE(LoadClientLibrary([&](const std::string& t) { reported.push_back(t); }));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "Dynamic library libnot-a-client-library.so not found");
    EXPECT_FALSE(ClientLibraryLoaded());
    EXPECT_EQ(Client().mysql_query, nullptr);
}

TEST_F(ClientLibraryTest, ConnectsThroughTheTableAndItsFallbacks) {
    ASSERT_TRUE(LoadClientLibrary());
    const ClientApi& c = Client();

    ClientHandle h;
    ASSERT_NE(h.Init(), nullptr);
    ASSERT_NE(c.mysql_connect(h.get(), testserver::kHost, testserver::kRootUser,
                              testserver::kRootPassword),
              nullptr)
        << ClientErrorText(h.get());
    EXPECT_EQ(c.mysql_ping(h.get()), 0);

    // The fallbacks take a database name literally, whatever it holds.
    const char* odd = "kestrel binding`test, odd";
    c.mysql_drop_db(h.get(), odd);
    ASSERT_EQ(c.mysql_create_db(h.get(), odd), 0) << ClientErrorText(h.get());
    EXPECT_NE(c.mysql_create_db(h.get(), odd), 0); // exists already
    EXPECT_NE(ClientErrorNumber(h.get()), 0u);
    EXPECT_FALSE(ClientErrorText(h.get()).empty());
    EXPECT_EQ(c.mysql_select_db(h.get(), odd), 0);
    c.mysql_drop_db(h.get(), odd);
    EXPECT_NE(c.mysql_select_db(h.get(), odd), 0);

    ASSERT_EQ(c.mysql_query(h.get(), "SELECT 1, NULL"), 0);
    ClientResult r(c.mysql_store_result(h.get()));
    ASSERT_TRUE(r);
    EXPECT_EQ(c.mysql_num_rows(r.get()), 1u);
    MYSQL_ROW row = c.mysql_fetch_row(r.get());
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(row[0], "1");
    EXPECT_EQ(row[1], nullptr);
}

TEST_F(ClientLibraryTest, RefusedLoginGivesTheLibrarysTrimmedText) {
    ASSERT_TRUE(LoadClientLibrary());
    ClientHandle h;
    h.Init();
    EXPECT_EQ(Client().mysql_real_connect(h.get(), testserver::kHost, testserver::kRootUser,
                                          "wrong password", nullptr, 0, nullptr, 0),
              nullptr);
    const std::string text = ClientErrorText(h.get());
    EXPECT_NE(text.find("Access denied"), std::string::npos) << text;
    EXPECT_LE(text.size(), 200u);
    EXPECT_EQ(ClientErrorNumber(h.get()), 1045u);
}

} // namespace
