// The words the server reserves: a name spelled like one of them cannot stand unquoted in a
// statement.
#pragma once

#include <string_view>

// True when word (any case) is reserved by current MariaDB or MySQL servers.
bool IsReservedWord(std::string_view word);
