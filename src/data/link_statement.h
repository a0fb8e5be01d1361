// The pieces of a master/detail link that are plain text work: reading the LinkFields pairs and
// putting the link's condition into the detail statement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct LinkPair {
    std::string detail; // a field of the detail dataset
    std::string master; // a field of the master dataset
};

inline constexpr std::size_t kMaxLinkPairs = 11;

// Pairs DetailField=MasterField separated by commas. A name is a word, a quoted name (the quotes
// removed) or a name in square brackets (taken as written). Raises EDatabaseError "Incorrect links
// define" for anything else or for more than 11 pairs. An empty text has no pairs.
std::vector<LinkPair> ParseLinkFields(std::string_view text);

// Adds a condition to a SELECT statement at its top-level WHERE position: an existing WHERE
// condition becomes "(" condition ") AND " + added, otherwise " WHERE " + added goes before the
// first of GROUP BY, HAVING, ORDER BY, LIMIT, PROCEDURE, INTO, FOR, LOCK and WINDOW at the top
// level (or at the end). Everything else stays as written. Answers false, with the reason in
// whyNot, for a statement that is not a single SELECT.
bool AddTopLevelCondition(std::string_view statement, std::string_view condition,
                          std::string& result, std::string& whyNot);
