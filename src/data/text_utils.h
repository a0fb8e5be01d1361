// Small text helpers shared by the data layer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// The parts one after the other, the separator between each two.
std::string Joined(const std::vector<std::string>& parts, char separator);

// Text written piece by piece that stops growing once it is longer than a limit: the piece that
// crosses the limit is kept whole, every later one is dropped, and the text says it was cut.
class CappedText {
public:
    explicit CappedText(std::size_t limit) : limit_(limit) {}

    void Put(std::string_view piece) {
        if (cut_)
            return;
        text_ += piece;
        if (text_.size() > limit_)
            cut_ = true;
    }
    bool Cut() const { return cut_; }
    std::string Take() { return std::move(text_); }

private:
    std::size_t limit_;
    bool cut_ = false;
    std::string text_;
};
