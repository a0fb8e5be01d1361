// Conversion of texts that come from a server (error messages, transact-server replies) into the
// UTF-8 text shown to the operator.
#pragma once

#include <string>
#include <string_view>

// Valid UTF-8 is taken as it is (current servers send UTF-8). Any other text is read as an 8-bit
// KOI8-R text: each byte from 0x80 up goes through the KOI8-R to code page 866 table, and the
// result is read as code page 866. Pure ASCII is unchanged either way.
std::string ConvertServerText(std::string_view text);

// The first step alone: one byte through the KOI8-R to code page 866 table.
unsigned char KoiToOem(unsigned char byte);

// The second step alone: code page 866 bytes to UTF-8.
std::string OemToUtf8(std::string_view oem);
