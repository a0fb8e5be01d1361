// QueryFilter: the part of a TMySQLQuery that picks rows by their values. It holds the filter (its
// text, the compiled expression, the fields its variables name and the first row it could not
// judge) and finds rows: Locate and Lookup by key values, the Find operations by the filter. It
// reads the query's row cache, reading further rows as a search needs them, and moves the query's
// cursor; the rows and the cursor stay the query's.
#pragma once

#include "data/dataset.h"
#include "data/filter_parser.h"
#include "data/value_match.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TMySQLQuery;

class QueryFilter {
public:
    explicit QueryFilter(TMySQLQuery& query) : query_(query) {}
    QueryFilter(const QueryFilter&) = delete;
    QueryFilter& operator=(const QueryFilter&) = delete;

    // The filter: an expression over the fields (see TParser), in effect while Filtered is set. A
    // text that does not compile, or names a field the open query does not have, raises and leaves
    // the filter as it was; so does a text that fails on the rows when the filter is in effect.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);
    // True while the filter may hide rows: switched on, with an expression.
    bool InEffect() const { return filtered_ && parser_; }

    // A row whose filter raises on its values (a division by zero, an integer overflow, a NULL
    // where a number is needed) is not shown and not found; the first such row since the filter or
    // the rows last changed is kept here (recNo 0 while there is none).
    struct Fault {
        Bookmark recNo = 0;
        std::string error;
    };
    const Fault& FirstFault() const { return fault_; }
    void ForgetFault() { fault_ = {}; }

    // The query opened with new fields: the variables are bound to them, and a filter in effect
    // that names no field raises "Variable \"NAME\" not found".
    void Opened();
    // Whether cached row `index` passes the expression, whether or not Filtered is set (true
    // without one).
    bool Passes(std::size_t index) const;
    // Whether the filter shows cached row `index`: not filtered, or the row passes.
    bool Shows(std::size_t index) const { return !filtered_ || Passes(index); }

    // Searching; see TMySQLQuery::Locate, Lookup and FindFirst.
    bool Locate(const std::string& keyFields, const std::vector<std::string>& keyValues,
                unsigned options);
    std::optional<std::vector<std::string>> Lookup(const std::string& keyFields,
                                                   const std::vector<std::string>& keyValues,
                                                   const std::string& resultFields);
    bool FindFirst();
    bool FindLast();
    bool FindNext();
    bool FindPrior();

    // Key fields named in a list ("id; name", a number being a field index); a name that is no
    // field raises.
    std::vector<std::size_t> KeyFieldList(const std::string& names) const;
    // One matcher per key field for its value; another number of values than fields raises.
    std::vector<ValueMatcher> KeyMatchers(const std::vector<std::size_t>& fields,
                                          const std::vector<std::string>& values,
                                          unsigned options) const;
    // The cache index of the first visible row whose key fields match, reading further rows as
    // needed; -1 when none does.
    std::int64_t FindMatching(const std::vector<std::size_t>& fields,
                              const std::vector<ValueMatcher>& matchers);

private:
    bool RowMatches(std::size_t index, const std::vector<std::size_t>& fields,
                    const std::vector<ValueMatcher>& matchers) const;
    void CheckNames(const TParser& filter) const;
    void BindFields();
    bool FindWithFilter(std::int64_t from, int step);

    TMySQLQuery& query_;
    std::unique_ptr<TParser> parser_;
    std::string text_;
    bool filtered_ = false;
    struct BoundField {
        int field; // the field a filter variable names, or -1
        FieldType type;
        bool isUnsigned;
    };
    std::vector<BoundField> fields_; // one per filter variable
    mutable Fault fault_;
};
