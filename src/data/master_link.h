// MasterLink: the part of a TMySQLQuery that ties it, as a detail dataset, to the current row of a
// master dataset. It holds the pairs DetailField=MasterField (at most 11) and watches the master.
// With the query's LinkRequery the master's values go into the statement as a condition and the
// statement runs again for each master row; without it (or where the statement cannot take a
// condition) the rows whose values differ from the master's are hidden. A new detail row takes
// the master's values.
#pragma once

#include "data/dataset.h"
#include "data/field_value.h"
#include "data/link_statement.h"
#include "data/value_match.h"

#include <string>
#include <utility>
#include <vector>

class TMySQLQuery;

class MasterLink : public DataSetObserver {
public:
    explicit MasterLink(TMySQLQuery& query) : query_(query) {}
    ~MasterLink() override;
    MasterLink(const MasterLink&) = delete;
    MasterLink& operator=(const MasterLink&) = delete;

    // The pairs as set; a malformed text raises and changes nothing.
    const std::string& Fields() const { return fieldsText_; }
    void SetFields(const std::string& text);
    TDataSet* Master() const { return master_; }
    // A master that is the query itself or one of its own details raises.
    void SetMaster(TDataSet* master);
    // Why LinkRequery was switched off for the statement (empty while it was not).
    const std::string& Note() const { return note_; }
    // The statement as last sent (with the link's condition when LinkRequery is on).
    const std::string& RunStatement() const { return runStatement_; }

    // The statement to send for `statement`: with LinkRequery and an active master, with the
    // master's values as a condition; otherwise as it is, its rows then filtered locally.
    std::string LinkedStatement(const std::string& statement);
    // Takes the master's values for the rows filtered locally; a pair naming no field raises.
    void RebuildMatchers();
    // True while rows whose values differ from the master's are hidden.
    bool HidesRows() const { return !matchers_.empty(); }
    // Whether cached row `index` has the master's values (true while nothing is hidden).
    bool Passes(std::size_t index) const;
    // A new row takes the master's values of the link fields.
    void SetNewRowValues(std::vector<FieldValue>& values) const;

    // The master moved, changed, opened, closed or went away.
    void DataSetEvent(TDataSet& master, DataEvent event, TField* field) override;

private:
    void MasterChanged(bool linkOff);

    TMySQLQuery& query_;
    std::string fieldsText_;
    std::vector<LinkPair> links_;
    TDataSet* master_ = nullptr;
    std::vector<std::pair<std::size_t, ValueMatcher>> matchers_; // detail field, master value
    bool local_ = false;       // detail rows filtered by the master's values
    std::string runStatement_; // the statement as last run (with the link's condition)
    std::string note_;
};
