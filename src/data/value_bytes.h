// What the bytes of a value are, for showing it: readable text or not, a file format known by its
// first bytes, and hexadecimal forms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// True when the bytes are well-formed UTF-8 without control characters other than tab, line feed
// and carriage return.
bool IsReadableText(std::string_view bytes);

enum class FileFormat { None, Png, Jpeg, Gif, Bmp, WebP, Tiff, Icon, Pdf, Zip, Gzip };

// The format whose signature the bytes begin with.
FileFormat FileFormatOf(std::string_view bytes);
// The short name of a format ("PNG", "JPEG"); empty for None.
const char* FileFormatName(FileFormat format);
bool IsImageFormat(FileFormat format);

// The bytes in upper-case hexadecimal, two digits each, `separator` between bytes (none for '\0').
std::string HexBytes(std::string_view bytes, char separator = '\0');

// Lines of 16 bytes: the offset (8 hexadecimal digits), the bytes in hexadecimal (a wider gap
// after the eighth) and the bytes as characters (printable ASCII as is, every other byte '.').
// Lines end with a line feed.
std::string HexDump(std::string_view bytes);
