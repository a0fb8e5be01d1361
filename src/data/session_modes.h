// A session in which generated statements mean what they say: no ANSI_QUOTES (a double-quoted
// text would be a name) and no NO_BACKSLASH_ESCAPES (backslashes would be stored doubled). The
// combination modes that bring ANSI_QUOTES back (ANSI, DB2, MAXDB, MSSQL, ORACLE, POSTGRESQL) go
// as well; every other mode of the session stays.
#pragma once

#include "data/client_library.h"

#include <string>
#include <string_view>

// The mode list without those modes.
std::string StatementSafeSqlMode(std::string_view sqlMode);

// Sets the session's sql_mode to StatementSafeSqlMode of its own and reads it back; false (with
// the client's error text in `error`) when that fails or the modes are still there.
bool MakeSessionStatementSafe(MYSQL* handle, std::string& error);
