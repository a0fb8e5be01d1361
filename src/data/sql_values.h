// Putting values into SQL text so that no value can change the shape of the statement, whatever
// the sql_mode of the session that runs it.
#pragma once

#include "data/client_library.h"

#include <string>
#include <string_view>

// The value between single quotes, escaped for the session of `connection`: the client library
// knows whether that session lets backslashes escape (NO_BACKSLASH_ESCAPES off) and otherwise
// doubles quotes only. Single quotes are never affected by ANSI_QUOTES. Without a connection (or
// before the library is loaded) the value is escaped for a session in which backslashes escape.
std::string QuoteSqlValue(MYSQL* connection, std::string_view value);

// The value between single quotes for a session whose mode is known: with backslash escapes
// (the server's default) quotes, backslashes, NUL, line breaks and Ctrl-Z are escaped with a
// backslash; without them (NO_BACKSLASH_ESCAPES) single quotes are doubled and nothing else
// changes.
std::string QuoteSqlValue(std::string_view value, bool backslashEscapes);
