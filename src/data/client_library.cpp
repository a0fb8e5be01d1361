#include "data/client_library.h"

#include "data/blocking_calls.h"
#include "data/sql_names.h"
#include "data/text_utils.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

const std::array<const char*, kClientEntryPointCount> kClientEntryPointNames = {
    "mysql_debug",
    "mysql_dump_debug_info",
    "mysql_init",
    "mysql_connect",
    "mysql_real_connect",
    "mysql_close",
    "mysql_select_db",
    "mysql_create_db",
    "mysql_drop_db",
    "mysql_query",
    "mysql_real_query",
    "mysql_shutdown",
    "mysql_refresh",
    "mysql_kill",
    "mysql_ping",
    "mysql_stat",
    "mysql_options",
    "mysql_escape_string",
    "mysql_get_server_info",
    "mysql_get_client_info",
    "mysql_get_host_info",
    "mysql_get_proto_info",
    "mysql_list_fields",
    "mysql_list_processes",
    "mysql_list_dbs",
    "mysql_list_tables",
    "mysql_data_seek",
    "mysql_row_seek",
    "mysql_field_seek",
    "mysql_fetch_row",
    "mysql_fetch_lengths",
    "mysql_fetch_field",
    "mysql_use_result",
    "mysql_store_result",
    "mysql_free_result",
};

namespace {

struct BindingState {
    void* handle = nullptr;
    std::string name;
    ClientApi api{};
    std::array<bool, kClientEntryPointCount> exported{};
};

BindingState& State() {
    static BindingState state;
    return state;
}

void*& Slot(ClientEntryPointTable& table, std::size_t i) {
    return reinterpret_cast<void**>(&table)[i];
}

template <typename F> void LookUp(void* lib, const char* name, F& target) {
    void* p = dlsym(lib, name);
    std::memcpy(&target, &p, sizeof p);
}

// Fallbacks for entry points that current client libraries no longer export. They keep the
// meaning of the old calls: the database name is taken literally, whatever characters it holds.
MYSQL* STDCALL FallbackConnect(MYSQL* h, const char* host, const char* user, const char* passwd) {
    return State().api.mysql_real_connect(h, host, user, passwd, nullptr, 0, nullptr, 0);
}

int STDCALL FallbackCreateDb(MYSQL* h, const char* name) {
    const std::string sql = "CREATE DATABASE " + QuoteName(name ? name : "");
    return State().api.mysql_real_query(h, sql.data(), static_cast<unsigned long>(sql.size()));
}

int STDCALL FallbackDropDb(MYSQL* h, const char* name) {
    const std::string sql = "DROP DATABASE " + QuoteName(name ? name : "");
    return State().api.mysql_real_query(h, sql.data(), static_cast<unsigned long>(sql.size()));
}

} // namespace

const ClientApi& Client() {
    return State().api;
}

std::vector<std::string> ClientLibraryNames() {
    if (const char* forced = std::getenv("KESTREL_CLIENT_LIBRARY"); forced && *forced)
        return {forced};
#ifdef _WIN32
    return {"libmySQL.DLL"};
#else
    return {"libmariadb.so.3", "libmysqlclient.so.21", "libmysqlclient.so.18"};
#endif
}

bool LoadClientLibrary(const std::function<void(const std::string&)>& reportMissing) {
    BindingState& s = State();
    if (s.handle)
        return false;
    const std::vector<std::string> names = ClientLibraryNames();
    for (const std::string& name : names) {
        s.name = name;
        s.handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (s.handle)
            break;
    }
    if (!s.handle) {
        s.name = names.empty() ? std::string() : names.front();
        if (reportMissing)
            reportMissing("Dynamic library " + s.name + " not found");
        s.name.clear();
        return false;
    }

    ClientEntryPointTable& table = s.api;
    for (std::size_t i = 0; i < kClientEntryPointCount; ++i) {
        Slot(table, i) = dlsym(s.handle, kClientEntryPointNames[i]);
        s.exported[i] = Slot(table, i) != nullptr;
    }
    if (!table.mysql_connect)
        table.mysql_connect = &FallbackConnect;
    if (!table.mysql_create_db)
        table.mysql_create_db = &FallbackCreateDb;
    if (!table.mysql_drop_db)
        table.mysql_drop_db = &FallbackDropDb;

    ClientExtras& x = s.api;
    LookUp(s.handle, "mysql_errno", x.mysql_errno);
    LookUp(s.handle, "mysql_error", x.mysql_error);
    LookUp(s.handle, "mysql_sqlstate", x.mysql_sqlstate);
    LookUp(s.handle, "mysql_num_rows", x.mysql_num_rows);
    LookUp(s.handle, "mysql_num_fields", x.mysql_num_fields);
    LookUp(s.handle, "mysql_field_count", x.mysql_field_count);
    LookUp(s.handle, "mysql_insert_id", x.mysql_insert_id);
    LookUp(s.handle, "mysql_affected_rows", x.mysql_affected_rows);
    LookUp(s.handle, "mysql_fetch_fields", x.mysql_fetch_fields);
    LookUp(s.handle, "mysql_real_escape_string", x.mysql_real_escape_string);
    LookUp(s.handle, "mysql_next_result", x.mysql_next_result);
    LookUp(s.handle, "mysql_more_results", x.mysql_more_results);
    LookUp(s.handle, "mysql_thread_id", x.mysql_thread_id);
    return true;
}

void UnloadClientLibrary() {
    BindingState& s = State();
    if (s.handle) {
        dlclose(s.handle);
        s.handle = nullptr;
        s.api = ClientApi{};
        s.exported = {};
    }
    s.name.clear();
}

bool ClientLibraryLoaded() {
    return State().handle != nullptr;
}

const std::string& ClientLibraryName() {
    return State().name;
}

bool ClientEntryPointExported(std::size_t i) {
    return i < kClientEntryPointCount && State().exported[i];
}

int ClientShutdown(MYSQL* handle) {
    using WithLevel = int(STDCALL*)(MYSQL*, enum mysql_enum_shutdown_level);
    WithLevel f = nullptr;
    void* p = State().api.mysql_shutdown;
    std::memcpy(&f, &p, sizeof p);
    // Every library we load takes the level; SHUTDOWN_DEFAULT is what the one-argument form did.
    return f ? f(handle, SHUTDOWN_DEFAULT) : -1;
}

unsigned int ClientErrorNumber(MYSQL* handle) {
    if (CallStopped(handle))
        return kStoppedErrorNumber;
    const ClientApi& c = Client();
    return c.mysql_errno && handle ? c.mysql_errno(handle) : 0;
}

std::string ClientErrorState(MYSQL* handle) {
    const ClientApi& c = Client();
    const char* state = c.mysql_sqlstate && handle ? c.mysql_sqlstate(handle) : nullptr;
    return state ? state : "";
}

std::string ClientErrorText(MYSQL* handle) {
    const ClientApi& c = Client();
    if (!c.mysql_error || !handle)
        return {};
    if (CallStopped(handle))
        return StoppedText(handle);
    const char* text = c.mysql_error(handle);
    return TrimBlanksAndControls(TruncateUtf8(text ? text : "", 200));
}
