// What every part of the transact-server uses to talk to clients and to its log.
#pragma once

#include <string>
#include <string_view>

// Sends every byte of data; false when the client went away.
bool SendAll(int fd, std::string_view data);

// Writes one line to the log (standard error): peer, ": ", text. Control characters and
// backslashes of either appear as \xNN, so nothing a client sent reaches the log raw.
void Log(const std::string& peer, const std::string& text);

// text with every control character and backslash written as \xNN.
std::string Printable(std::string_view text);

// True when text holds a byte below 0x20 (NUL, tab, line ends included) or DEL.
bool HoldsControlCharacter(std::string_view text);
