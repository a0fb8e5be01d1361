// Small text helpers shared by the data layer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text without leading and trailing blanks and control characters (bytes up to 0x20).
std::string TrimBlanksAndControls(std::string_view s);

// The number of characters of a UTF-8 text: the bytes that are not continuation bytes.
std::int64_t Utf8Length(std::string_view s);

// At most maxBytes bytes of s, cut so that no UTF-8 sequence is split.
std::string TruncateUtf8(std::string_view s, std::size_t maxBytes);

// True when s is well-formed UTF-8 (shortest forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view s);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);
