// Matching a field's values against a search text the way a person means it: numbers as numbers
// ("5" finds 5.00 in a DECIMAL column), dates by their shown text (a DATETIME at midnight is found
// by its date), texts exactly or without regard to case (UTF-8 case folding), or by their
// beginning. Used by Locate and Lookup, by master/detail links and by Refresh.
#pragma once

#include "data/field_value.h"

#include <string>
#include <string_view>

enum LocateOption : unsigned {
    loCaseInsensitive = 1,
    loPartialKey = 2,
};

class ValueMatcher {
public:
    // nullMatchesNothing: a NULL value (and a NULL search, see NeverMatch) never matches, as in
    // a link between master and detail; otherwise NULL reads as the empty text.
    ValueMatcher(FieldType type, bool isUnsigned, std::string_view search, unsigned options,
                 bool nullMatchesNothing = false);
    // A matcher that matches no value (a NULL master value).
    static ValueMatcher NeverMatch();

    bool Matches(const ValueView& value) const;

private:
    ValueMatcher() = default;
    bool MatchesNumber(const ValueView& value) const;
    bool MatchesText(std::string_view text) const;
    bool MatchesDateTime(std::string_view text) const;

    FieldType type_ = FieldType::String;
    bool unsigned_ = false;
    bool caseInsensitive_ = false;
    bool partial_ = false;
    bool nullMatchesNothing_ = true;
    bool never_ = true;
    std::string search_; // dates: their shown text
    // A numeric search read once: its kind and value.
    enum class Number { None, Signed, Unsigned, Real } number_ = Number::None;
    std::int64_t signed_ = 0;
    std::uint64_t unsignedValue_ = 0;
    long double real_ = 0;
};

// Equality of two texts code point by code point with case folded (see FoldCase); prefix: whether
// `prefix` begins `text`.
bool EqualsFolded(std::string_view a, std::string_view b);
bool StartsWithFolded(std::string_view text, std::string_view prefix);

// The shown text of a date/time text (a zero date or a zero time of day left out) into out.
void AssignShownDateTime(std::string_view text, std::string& out);
