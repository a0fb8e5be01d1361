// One client of the transact-server: the login dialogue, then one command line after another on
// the client's own MySQL connection.
#pragma once

#include "data/socket_handle.h"
#include "server_options.h"

#include <cstdint>
#include <string>

// The longest answer line sent, line feed included; clients keep answers of this size.
inline constexpr std::size_t kMaxAnswer = 8191;

// Serves the client on socket until it sends QUIT; or goes away. peer names it in the log.
void ServeClient(SocketHandle socket, const ServerOptions& options, const std::string& peer);

// The answer line for a statement that ran: "OK matched=N insert_id=M" and a line feed.
std::string OkAnswer(std::uint64_t matched, std::uint64_t insertId);

// The answer line for a failure text: on one line, never beginning with "OK", at most
// kMaxAnswer bytes with its line feed.
std::string ErrorAnswer(const std::string& text);
