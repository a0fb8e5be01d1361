// Run-time binding of the MySQL client C library.
//
// The program never links the client library: LoadClientLibrary() opens it by name once at start-up
// and looks its entry points up into one process-wide table. Everything that talks to a server goes
// through Client().
#pragma once

#include <mysql.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

// The 35 entry points, in the order in which they are looked up. The layout is a plain run of
// function pointers so that the table can be filled slot by slot from kClientEntryPointNames.
struct ClientEntryPointTable {
    decltype(&::mysql_debug) mysql_debug;
    decltype(&::mysql_dump_debug_info) mysql_dump_debug_info;
    decltype(&::mysql_init) mysql_init;
    MYSQL*(STDCALL* mysql_connect)(MYSQL*, const char* host, const char* user, const char* passwd);
    decltype(&::mysql_real_connect) mysql_real_connect;
    decltype(&::mysql_close) mysql_close;
    decltype(&::mysql_select_db) mysql_select_db;
    int(STDCALL* mysql_create_db)(MYSQL*, const char* name);
    int(STDCALL* mysql_drop_db)(MYSQL*, const char* name);
    decltype(&::mysql_query) mysql_query;
    decltype(&::mysql_real_query) mysql_real_query;
    // Older libraries take only the handle; call it through ClientShutdown().
    void* mysql_shutdown;
    decltype(&::mysql_refresh) mysql_refresh;
    decltype(&::mysql_kill) mysql_kill;
    decltype(&::mysql_ping) mysql_ping;
    decltype(&::mysql_stat) mysql_stat;
    decltype(&::mysql_options) mysql_options;
    decltype(&::mysql_escape_string) mysql_escape_string;
    decltype(&::mysql_get_server_info) mysql_get_server_info;
    decltype(&::mysql_get_client_info) mysql_get_client_info;
    decltype(&::mysql_get_host_info) mysql_get_host_info;
    decltype(&::mysql_get_proto_info) mysql_get_proto_info;
    decltype(&::mysql_list_fields) mysql_list_fields;
    decltype(&::mysql_list_processes) mysql_list_processes;
    decltype(&::mysql_list_dbs) mysql_list_dbs;
    decltype(&::mysql_list_tables) mysql_list_tables;
    decltype(&::mysql_data_seek) mysql_data_seek;
    decltype(&::mysql_row_seek) mysql_row_seek;
    decltype(&::mysql_field_seek) mysql_field_seek;
    decltype(&::mysql_fetch_row) mysql_fetch_row;
    decltype(&::mysql_fetch_lengths) mysql_fetch_lengths;
    decltype(&::mysql_fetch_field) mysql_fetch_field;
    decltype(&::mysql_use_result) mysql_use_result;
    decltype(&::mysql_store_result) mysql_store_result;
    decltype(&::mysql_free_result) mysql_free_result;
};

constexpr std::size_t kClientEntryPointCount = 35;
static_assert(sizeof(ClientEntryPointTable) == kClientEntryPointCount * sizeof(void*));

extern const std::array<const char*, kClientEntryPointCount> kClientEntryPointNames;

// What the program needs besides the table to read errors, counts and column data.
struct ClientExtras {
    decltype(&::mysql_errno) mysql_errno;
    decltype(&::mysql_error) mysql_error;
    decltype(&::mysql_sqlstate) mysql_sqlstate;
    decltype(&::mysql_num_rows) mysql_num_rows;
    decltype(&::mysql_num_fields) mysql_num_fields;
    decltype(&::mysql_field_count) mysql_field_count;
    decltype(&::mysql_insert_id) mysql_insert_id;
    decltype(&::mysql_affected_rows) mysql_affected_rows;
    decltype(&::mysql_fetch_fields) mysql_fetch_fields;
    decltype(&::mysql_real_escape_string) mysql_real_escape_string;
    decltype(&::mysql_next_result) mysql_next_result;
    decltype(&::mysql_more_results) mysql_more_results;
    decltype(&::mysql_thread_id) mysql_thread_id;
};

struct ClientApi : ClientEntryPointTable, ClientExtras {};

// The process-wide table. All pointers are empty until LoadClientLibrary() succeeded.
const ClientApi& Client();

// Library names tried in order; the first is the one a failure message names. The environment
// variable KESTREL_CLIENT_LIBRARY, when set, replaces the list with the one name it holds.
std::vector<std::string> ClientLibraryNames();

// Loads the client library once per process. Answers true when this call loaded it. When the
// library cannot be loaded, reportMissing receives "Dynamic library <name> not found".
bool LoadClientLibrary(const std::function<void(const std::string&)>& reportMissing = {});
void UnloadClientLibrary();
bool ClientLibraryLoaded();
// The name of the library in use, empty when none is loaded.
const std::string& ClientLibraryName();
// Whether slot i of the table came from the library itself (false: empty, or one of our fallbacks
// for entry points that current libraries dropped).
bool ClientEntryPointExported(std::size_t i);

// mysql_shutdown in the form the loaded library has.
int ClientShutdown(MYSQL* handle);

// The handle's last error text as shown to the operator: at most 200 characters, blanks and control
// characters trimmed at both ends.
std::string ClientErrorText(MYSQL* handle);
unsigned int ClientErrorNumber(MYSQL* handle);
// The SQLSTATE of the handle's last error ("00000" when there was none), empty without a handle.
std::string ClientErrorState(MYSQL* handle);
