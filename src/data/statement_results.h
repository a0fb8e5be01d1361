// Sending SQL text on a client handle and reading every result it answers, so that the handle is
// ready for the next statement (a CALL, or several statements, answer more than one result).
#pragma once

#include "data/client_library.h"

#include <string_view>

// Sends the statement with its length, so that every byte of it reaches the server: 0 when the
// server accepted it, else the client library's error number.
int SendStatement(MYSQL* handle, std::string_view statement);

// Reads and drops every result that follows the current one. False when a later result is an
// error; the handle's error text then says which.
bool DrainMoreResults(MYSQL* handle);

// Sends the statement and drops every result it answers: true when it and every later result
// succeeded, false otherwise (the handle's error text says why).
bool RunAndDrain(MYSQL* handle, std::string_view statement);
