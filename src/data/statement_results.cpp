#include "data/statement_results.h"

#include "data/client_handles.h"

namespace {

// Takes the current result and drops its rows: false when the statement had rows to answer but
// reading them failed.
bool DropCurrentResult(MYSQL* handle) {
    const ClientApi& c = Client();
    const ClientResult result(c.mysql_store_result(handle));
    return result || !c.mysql_field_count || c.mysql_field_count(handle) == 0;
}

} // namespace

int SendStatement(MYSQL* handle, std::string_view statement) {
    const ClientApi& c = Client();
    if (c.mysql_real_query(handle, statement.data(),
                           static_cast<unsigned long>(statement.size())) == 0)
        return 0;
    const unsigned error = ClientErrorNumber(handle);
    return error ? static_cast<int>(error) : -1;
}

bool DrainMoreResults(MYSQL* handle) {
    const ClientApi& c = Client();
    if (!c.mysql_more_results || !c.mysql_next_result)
        return true;
    while (c.mysql_more_results(handle)) {
        const int next = c.mysql_next_result(handle);
        if (next > 0)
            return false; // the server ends the results at the first one that fails
        if (next < 0)
            break;
        if (!DropCurrentResult(handle))
            return false;
    }
    return true;
}

bool RunAndDrain(MYSQL* handle, std::string_view statement) {
    if (SendStatement(handle, statement) != 0)
        return false;
    if (!DropCurrentResult(handle))
        return false;
    return DrainMoreResults(handle);
}
