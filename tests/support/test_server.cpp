#include "support/test_server.h"

#include <gtest/gtest.h>

namespace testserver {

void EnsureClientLibrary() {
    if (!ClientLibraryLoaded()) {
        std::string missing;
        LoadClientLibrary([&](const std::string& text) { missing = text; });
        ASSERT_TRUE(ClientLibraryLoaded()) << missing;
    }
}

RootConnection::RootConnection(const std::string& host) {
    EnsureClientLibrary();
    MYSQL* h = handle_.Init();
    if (!Client().mysql_real_connect(h, host.c_str(), kRootUser, kRootPassword, nullptr, 3306,
                                     nullptr, 0))
        ADD_FAILURE() << "the test server on " << host
                      << " does not answer (scripts/testserver.sh start): " << ClientErrorText(h);
}

bool RootConnection::Exec(const std::string& sql) {
    if (Client().mysql_real_query(handle_.get(), sql.data(),
                                  static_cast<unsigned long>(sql.size())) != 0) {
        ADD_FAILURE() << sql << ": " << ClientErrorText(handle_.get());
        return false;
    }
    // Statements that answer rows are drained so the connection stays usable.
    ClientResult r(Client().mysql_store_result(handle_.get()));
    return true;
}

std::vector<std::vector<std::string>> RootConnection::Rows(const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    if (Client().mysql_real_query(handle_.get(), sql.data(),
                                  static_cast<unsigned long>(sql.size())) != 0) {
        ADD_FAILURE() << sql << ": " << ClientErrorText(handle_.get());
        return rows;
    }
    ClientResult r(Client().mysql_store_result(handle_.get()));
    if (!r)
        return rows;
    const unsigned n = Client().mysql_num_fields(r.get());
    while (MYSQL_ROW row = Client().mysql_fetch_row(r.get())) {
        std::vector<std::string>& out = rows.emplace_back();
        for (unsigned i = 0; i < n; ++i)
            out.emplace_back(row[i] ? row[i] : "");
    }
    return rows;
}

std::string RootConnection::Value(const std::string& sql) {
    auto rows = Rows(sql);
    return rows.empty() || rows.front().empty() ? std::string() : rows.front().front();
}

} // namespace testserver
