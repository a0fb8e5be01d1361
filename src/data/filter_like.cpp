#include "data/filter_like.h"

char32_t FoldCase(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130)
            return 'i';
        if (c == 0x178)
            return 0xFF;
        if (c == 0x17F)
            return 's';
        // Pairs start on an even code point up to U+0137, on an odd one from U+0139 to U+0148,
        // even again from U+014A to U+0177 and odd from U+0179.
        if (c <= 0x137 || (c >= 0x14A && c <= 0x177))
            return (c % 2 == 0) ? c + 1 : c;
        if ((c >= 0x139 && c <= 0x148) || c >= 0x179)
            return (c % 2 == 1) ? c + 1 : c;
        return c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b0 = byte(pos);
    const char32_t invalid = 0xDC80 + b0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    std::size_t length = 0;
    char32_t cp = 0, minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        length = 2, cp = b0 & 0x1F, minimum = 0x80;
    else if (b0 >= 0xE0 && b0 <= 0xEF)
        length = 3, cp = b0 & 0x0F, minimum = 0x800;
    else if (b0 >= 0xF0 && b0 <= 0xF4)
        length = 4, cp = b0 & 0x07, minimum = 0x10000;
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return invalid;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char b = byte(pos + k);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return invalid;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return invalid;
    }
    pos += length;
    return cp;
}

void LikePattern::Compile(std::string_view pattern) {
    if (compiled_ && pattern == text_)
        return;
    text_.assign(pattern);
    compiled_ = true;
    elements_.clear();
    ranges_.clear();
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char32_t c = NextCodePoint(pattern, pos);
        if (c == '*') {
            if (elements_.empty() || elements_.back().kind != Kind::AnyRun)
                elements_.push_back({Kind::AnyRun, false, 0, 0, 0});
            continue;
        }
        if (c == '?') {
            elements_.push_back({Kind::AnyOne, false, 0, 0, 0});
            continue;
        }
        if (c == '[') {
            const std::size_t close = pattern.find(']', pos + 1);
            if (close != std::string_view::npos) {
                Element e{Kind::Set, false, 0, static_cast<std::uint32_t>(ranges_.size()), 0};
                std::size_t p = pos;
                if (p < close && (pattern[p] == '!' || pattern[p] == '^'))
                    e.negated = true, ++p;
                while (p < close) {
                    const char32_t low = NextCodePoint(pattern, p);
                    char32_t high = low;
                    if (p + 1 < close && pattern[p] == '-') {
                        ++p;
                        high = NextCodePoint(pattern, p);
                    }
                    ranges_.push_back({low, high});
                }
                e.to = static_cast<std::uint32_t>(ranges_.size());
                elements_.push_back(e);
                pos = close + 1;
                continue;
            }
        }
        elements_.push_back({Kind::Literal, false, FoldCase(c), 0, 0});
    }
}

bool LikePattern::MatchesOne(const Element& e, char32_t c) const {
    switch (e.kind) {
    case Kind::Literal:
        return FoldCase(c) == e.c;
    case Kind::AnyOne:
        return true;
    case Kind::Set: {
        const char32_t folded = FoldCase(c);
        bool in = false;
        for (std::uint32_t r = e.from; r < e.to && !in; ++r) {
            const Range& range = ranges_[r];
            in = (c >= range.low && c <= range.high) ||
                 (folded >= FoldCase(range.low) && folded <= FoldCase(range.high)) ||
                 (folded >= range.low && folded <= range.high);
        }
        return in != e.negated;
    }
    case Kind::AnyRun:
        break;
    }
    return false;
}

bool LikePattern::Matches(std::string_view text) const {
    // Greedy matching that returns to the last "*" on a mismatch: a later "*" makes every earlier
    // one final, so no position is tried twice for the same "*".
    std::size_t p = 0, t = 0;
    std::size_t starP = SIZE_MAX, starT = 0;
    const std::size_t n = elements_.size();
    while (t < text.size()) {
        if (p < n && elements_[p].kind == Kind::AnyRun) {
            if (p + 1 == n)
                return true; // a final "*" takes the rest
            starP = p++;
            starT = t;
            continue;
        }
        std::size_t next = t;
        const char32_t c = NextCodePoint(text, next);
        if (p < n && MatchesOne(elements_[p], c)) {
            ++p;
            t = next;
            continue;
        }
        if (starP == SIZE_MAX)
            return false;
        p = starP + 1;
        NextCodePoint(text, starT);
        t = starT;
    }
    while (p < n && elements_[p].kind == Kind::AnyRun)
        ++p;
    return p == n;
}
