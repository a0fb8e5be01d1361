#include "data/client_session.h"

#include "data/sql_values.h"

namespace {
constexpr const char* kOutOfMemory = "Out of memory";
}

bool ClientSession::Connect(const std::string& host, const std::string& user,
                            const std::string& password, const std::string& database) {
    initError_.clear();
    MYSQL* h = handle_.Init();
    if (!h) {
        initError_ = kOutOfMemory;
        return false;
    }
    Client().mysql_real_connect(h, host.c_str(), user.c_str(), password.c_str(),
                                database.empty() ? nullptr : database.c_str(), 0, nullptr, 0);
    return !Failed();
}

bool ClientSession::ConnectShort(const std::string& host, const std::string& user,
                                 const std::string& password) {
    initError_.clear();
    MYSQL* h = handle_.Init();
    if (!h) {
        initError_ = kOutOfMemory;
        return false;
    }
    Client().mysql_connect(h, host.c_str(), user.c_str(), password.c_str());
    return !Failed();
}

bool ClientSession::SelectDatabase(const std::string& name) {
    if (!handle_)
        return false;
    return Client().mysql_select_db(handle_.get(), name.c_str()) == 0 && !Failed();
}

bool ClientSession::Send(std::string_view sql) {
    if (!handle_)
        return false;
    Client().mysql_real_query(handle_.get(), sql.data(), static_cast<unsigned long>(sql.size()));
    return !Failed();
}

bool ClientSession::Execute(std::string_view sql) {
    if (!Send(sql))
        return false;
    ClientResult result(Client().mysql_store_result(handle_.get()));
    return !Failed();
}

ClientSession::Rows ClientSession::Query(std::string_view sql) {
    Rows out;
    if (!Send(sql)) {
        out.failed = true;
        return out;
    }
    const ClientApi& c = Client();
    ClientResult result(c.mysql_store_result(handle_.get()));
    if (!result) {
        out.failed = Failed();
        return out;
    }
    const unsigned columns = c.mysql_num_fields(result.get());
    while (MYSQL_ROW row = c.mysql_fetch_row(result.get())) {
        const unsigned long* lengths = c.mysql_fetch_lengths(result.get());
        Row& texts = out.rows.emplace_back();
        texts.reserve(columns);
        for (unsigned i = 0; i < columns; ++i)
            texts.emplace_back(row[i] ? std::string(row[i], lengths[i]) : std::string());
    }
    return out;
}

std::string ClientSession::Quote(std::string_view value) const {
    return QuoteSqlValue(handle_.get(), value);
}

unsigned ClientSession::ErrorNumber() const {
    if (!handle_)
        return initError_.empty() ? 0 : 1;
    return ClientErrorNumber(handle_.get());
}

std::string ClientSession::ErrorText() const {
    if (!handle_)
        return initError_;
    return ClientErrorText(handle_.get());
}
