// The LIKE of the filter evaluator: a wildcard pattern matched against a text without regard to
// case. "*" matches any run of characters, "?" any one character, "[abc]" one of the listed
// characters, "[a-z]" one of a range, and "[!abc]" or "[^abc]" any character not listed.
// Characters are UTF-8 code points; case is folded for ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic. A "[" without its "]" stands for itself. Matching takes at most
// (text length × pattern length) steps, whatever the pattern.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The lower-case form of a code point (simple one-to-one folding).
char32_t FoldCase(char32_t c);

// Decodes the code point at text[pos] and advances pos; a byte that starts no valid sequence is
// taken alone as a code point of its own (U+DC80 + byte, never equal to a real character).
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

class LikePattern {
public:
    // Compiles a pattern; compiling the text the pattern already holds does nothing.
    void Compile(std::string_view pattern);
    bool Matches(std::string_view text) const;
    const std::string& Text() const { return text_; }

private:
    enum class Kind : std::uint8_t { Literal, AnyOne, AnyRun, Set };
    struct Element {
        Kind kind;
        bool negated;
        char32_t c;         // Literal: the folded character
        std::uint32_t from; // Set: its ranges are ranges_[from, to)
        std::uint32_t to;
    };
    struct Range {
        char32_t low, high;
    };

    bool MatchesOne(const Element& e, char32_t c) const;

    std::string text_;
    bool compiled_ = false;
    std::vector<Element> elements_;
    std::vector<Range> ranges_;
};
