#include "data/server_role.h"

#include "data/client_library.h"
#include "data/db_error.h"

#include <string>
#include <vector>

namespace {

// The rows of a statement, each row its column texts (NULL as empty text); empty when it failed.
std::vector<std::vector<std::string>> RowsOf(MYSQL* handle, const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    const ClientApi& c = Client();
    if (c.mysql_real_query(handle, sql.data(), static_cast<unsigned long>(sql.size())) != 0)
        return rows;
    MYSQL_RES* result = c.mysql_store_result(handle);
    if (!result)
        return rows;
    const unsigned columns = c.mysql_num_fields(result);
    while (MYSQL_ROW row = c.mysql_fetch_row(result)) {
        const unsigned long* lengths = c.mysql_fetch_lengths(result);
        std::vector<std::string> texts;
        for (unsigned i = 0; i < columns; ++i)
            texts.emplace_back(row[i] ? std::string(row[i], lengths[i]) : std::string());
        rows.push_back(std::move(texts));
    }
    c.mysql_free_result(result);
    return rows;
}

std::string StatusValue(const std::vector<std::vector<std::string>>& rows, const char* name) {
    for (const auto& row : rows)
        if (row.size() >= 2 && row[0] == name)
            return row[1];
    return {};
}

} // namespace

ServerRole ReadServerRole(MYSQL* handle) {
    ServerRole role;
    const auto readOnly = RowsOf(handle, "SELECT @@read_only");
    role.readOnly = !readOnly.empty() && !readOnly[0].empty() && readOnly[0][0] == "1";
    // Servers before the REPLICA spelling know only the SLAVE one.
    const ClientApi& c = Client();
    role.replica = !RowsOf(handle, "SHOW REPLICA STATUS").empty();
    if (!role.replica && c.mysql_errno(handle) != 0)
        role.replica = !RowsOf(handle, "SHOW SLAVE STATUS").empty();
    return role;
}

ClusterReadiness ReadClusterReadiness(MYSQL* handle) {
    const auto on = RowsOf(handle, "SHOW GLOBAL VARIABLES LIKE 'wsrep_on'");
    if (StatusValue(on, "wsrep_on") != "ON")
        return ClusterReadiness::NotClustered;
    const auto status = RowsOf(handle, "SHOW GLOBAL STATUS WHERE Variable_name IN "
                                       "('wsrep_ready', 'wsrep_cluster_status')");
    const bool ready = StatusValue(status, "wsrep_ready") == "ON" &&
                       StatusValue(status, "wsrep_cluster_status") == "Primary";
    return ready ? ClusterReadiness::Ready : ClusterReadiness::NotReady;
}

bool EndsOpenTransaction(const std::string& serverText) {
    // Only the text reaches the client through a transact-server.
    for (const char* mark : {"Deadlock found when trying to get lock", "Lock wait timeout exceeded",
                             "WSREP detected deadlock/conflict"})
        if (serverText.find(mark) != std::string::npos)
            return true;
    return false;
}

bool ConnectionLost(MYSQL* handle) {
    return handle && IsConnectionLost(Client().mysql_errno(handle));
}

bool IsConnectionLost(unsigned errorNumber) {
    return IsConnectionLost(errorNumber, std::string());
}
