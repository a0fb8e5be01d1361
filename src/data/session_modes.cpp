#include "data/session_modes.h"

#include "data/client_handles.h"
#include "data/sql_values.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 8> kUnsafe = {
    "ANSI_QUOTES", "NO_BACKSLASH_ESCAPES", "ANSI", "DB2", "MAXDB", "MSSQL", "ORACLE", "POSTGRESQL",
};

bool IsUnsafe(std::string_view mode) {
    for (std::string_view u : kUnsafe)
        if (mode == u)
            return true;
    return false;
}

bool ReadMode(MYSQL* h, std::string& mode) {
    const ClientApi& c = Client();
    const std::string q = "SELECT @@SESSION.sql_mode";
    if (c.mysql_real_query(h, q.data(), static_cast<unsigned long>(q.size())) != 0)
        return false;
    ClientResult result(c.mysql_store_result(h));
    if (!result.get())
        return false;
    MYSQL_ROW row = c.mysql_fetch_row(result.get());
    mode = row && row[0] ? row[0] : "";
    return true;
}

} // namespace

std::string StatementSafeSqlMode(std::string_view sqlMode) {
    std::string out;
    std::size_t start = 0;
    while (start <= sqlMode.size()) {
        std::size_t end = sqlMode.find(',', start);
        if (end == std::string_view::npos)
            end = sqlMode.size();
        const std::string_view mode = sqlMode.substr(start, end - start);
        if (!mode.empty() && !IsUnsafe(mode)) {
            out += out.empty() ? "" : ",";
            out += mode;
        }
        start = end + 1;
    }
    return out;
}

bool MakeSessionStatementSafe(MYSQL* h, std::string& error) {
    const ClientApi& c = Client();
    std::string mode;
    if (!ReadMode(h, mode)) {
        error = c.mysql_error(h);
        return false;
    }
    const std::string safe = StatementSafeSqlMode(mode);
    if (safe != mode) {
        // The mode names are plain words; quoted for the session as it is now.
        const std::string set = "SET SESSION sql_mode = " + QuoteSqlValue(h, safe);
        if (c.mysql_real_query(h, set.data(), static_cast<unsigned long>(set.size())) != 0 ||
            !ReadMode(h, mode)) {
            error = c.mysql_error(h);
            return false;
        }
        if (StatementSafeSqlMode(mode) != mode) {
            error = "The session keeps the sql_mode " + mode;
            return false;
        }
    }
    return true;
}
