#include "data/value_bytes.h"

#include "data/text_utils.h"

#include <algorithm>

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned char c) {
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 15];
}

} // namespace

bool IsReadableText(std::string_view bytes) {
    const bool controls = std::any_of(bytes.begin(), bytes.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
    });
    return !controls && IsValidUtf8(bytes);
}

FileFormat FileFormatOf(std::string_view b) {
    using namespace std::string_view_literals;
    if (StartsWith(b, "\x89PNG\r\n\x1A\n"sv))
        return FileFormat::Png;
    if (StartsWith(b, "\xFF\xD8\xFF"sv))
        return FileFormat::Jpeg;
    if (StartsWith(b, "GIF87a"sv) || StartsWith(b, "GIF89a"sv))
        return FileFormat::Gif;
    if (b.size() >= 26 && StartsWith(b, "BM"sv))
        return FileFormat::Bmp;
    if (b.size() >= 12 && StartsWith(b, "RIFF"sv) && b.substr(8, 4) == "WEBP"sv)
        return FileFormat::WebP;
    if (StartsWith(b, "II*\0"sv) || StartsWith(b, "MM\0*"sv))
        return FileFormat::Tiff;
    if (b.size() >= 6 && StartsWith(b, "\0\0\1\0"sv) && (b[4] != 0 || b[5] != 0))
        return FileFormat::Icon;
    if (StartsWith(b, "%PDF-"sv))
        return FileFormat::Pdf;
    if (StartsWith(b, "PK\3\4"sv) || StartsWith(b, "PK\5\6"sv))
        return FileFormat::Zip;
    if (StartsWith(b, "\x1F\x8B"sv))
        return FileFormat::Gzip;
    return FileFormat::None;
}

const char* FileFormatName(FileFormat format) {
    switch (format) {
    case FileFormat::Png:
        return "PNG";
    case FileFormat::Jpeg:
        return "JPEG";
    case FileFormat::Gif:
        return "GIF";
    case FileFormat::Bmp:
        return "BMP";
    case FileFormat::WebP:
        return "WebP";
    case FileFormat::Tiff:
        return "TIFF";
    case FileFormat::Icon:
        return "ICO";
    case FileFormat::Pdf:
        return "PDF";
    case FileFormat::Zip:
        return "ZIP";
    case FileFormat::Gzip:
        return "GZIP";
    case FileFormat::None:
        break;
    }
    return "";
}

bool IsImageFormat(FileFormat format) {
    switch (format) {
    case FileFormat::Png:
    case FileFormat::Jpeg:
    case FileFormat::Gif:
    case FileFormat::Bmp:
    case FileFormat::WebP:
    case FileFormat::Tiff:
    case FileFormat::Icon:
        return true;
    default:
        return false;
    }
}

std::string HexBytes(std::string_view bytes, char separator) {
    std::string out;
    out.reserve(bytes.size() * (separator ? 3 : 2));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i && separator)
            out += separator;
        AppendHex(out, static_cast<unsigned char>(bytes[i]));
    }
    return out;
}

std::string HexDump(std::string_view bytes) {
    constexpr std::size_t kPerLine = 16;
    std::string out;
    out.reserve((bytes.size() / kPerLine + 1) * 78);
    for (std::size_t line = 0; line < bytes.size(); line += kPerLine) {
        for (int shift = 28; shift >= 0; shift -= 4)
            out += kHexDigits[(line >> shift) & 15];
        out += "  ";
        const std::string_view part = bytes.substr(line, kPerLine);
        for (std::size_t k = 0; k < kPerLine; ++k) {
            if (k == 8)
                out += ' ';
            if (k < part.size())
                AppendHex(out, static_cast<unsigned char>(part[k]));
            else
                out += "  ";
            out += ' ';
        }
        out += ' ';
        for (char ch : part) {
            const auto c = static_cast<unsigned char>(ch);
            out += c >= 0x20 && c < 0x7F ? ch : '.';
        }
        out += '\n';
    }
    return out;
}
