// A small dataset framework: fields, open/close, a cursor with begin/end indication, record
// count and number, bookmarks, the edit/insert state machine and change notification.
//
// Subclasses supply the rows through the Internal* operations. Views (a grid, a navigator,
// labels) watch a dataset through DataSetObserver without the data layer knowing them.
#pragma once

#include "data/field.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class DataSetState { Inactive, Browse, Edit, Insert };

enum class DataEvent {
    ActiveChanged,  // opened or closed: fields and rows are new
    StateChanged,   // browse, edit or insert began
    Scrolled,       // another row became current
    DataSetChanged, // rows were added, removed or replaced
    FieldChanged,   // a field of the row being edited took a new value
    Destroying,     // the dataset is going away
    RowsArrived,    // more rows can be read without waiting (rows streamed in beside the views)
};

class TDataSet;

class DataSetObserver {
public:
    virtual ~DataSetObserver() = default;
    // field is the changed field for FieldChanged, nullptr otherwise.
    virtual void DataSetEvent(TDataSet& dataSet, DataEvent event, TField* field) = 0;
};

using Bookmark = std::int64_t;

// How a dataset holds a field's value of the current row: as the text the server sent (or NULL),
// or in a way the caller has to ask for the value (Unknown).
enum class StoredValue : std::uint8_t { Unknown, Null, Text };

// Holds written bytes of a field of the row being edited that the field does not have yet (an open
// blob stream); Post hands them to the field before it writes the row.
class PendingFieldWriter {
public:
    virtual ~PendingFieldWriter() = default;
    virtual void Flush() = 0;
};

class TDataSet {
public:
    TDataSet() = default;
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    void Open();
    void Close();
    bool Active() const { return state_ != DataSetState::Inactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    DataSetState State() const { return state_; }

    std::size_t FieldCount() const { return fields_.size(); }
    TField& Field(std::size_t i) const { return *fields_[i]; }
    TField* FindField(std::string_view name) const; // without regard to case
    TField& FieldByName(std::string_view name) const;

    void First();
    void Next();
    void Prior();
    void Last();
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const { return bof_ && eof_; }
    std::int64_t RecordCount();
    std::int64_t RecNo();
    void SetRecNo(std::int64_t recNo);
    Bookmark GetBookmark();
    void GotoBookmark(Bookmark bookmark);
    virtual int CompareBookmarks(Bookmark a, Bookmark b) const { return (a > b) - (a < b); }

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    bool Modified() const { return modified_; }
    // True while the row being inserted goes after the last row.
    bool Appending() const { return appending_; }
    virtual bool CanModify() const { return false; }
    // Finishes a pending edit, reads the rows again and comes back to the same record number
    // (or the last row when there are fewer now).
    virtual void Refresh();

    // Reading rows for views without moving the cursor; rows are numbered from 1 like RecNo.
    // The rows read so far (readable without reaching for more), and whether any more can come.
    virtual std::int64_t RowsRead() = 0;
    virtual bool AllRowsRead() = 0;
    // Reads further rows until `rows` are read or the rows end; answers RowsRead().
    virtual std::int64_t ReadRowsUpTo(std::int64_t rows) = 0;
    // The stored value of a field in row recNo, reading up to that row when needed (the values of
    // a row being edited are not looked at); NULL past the last row. Valid until rows change.
    virtual ValueView RowValue(std::int64_t recNo, std::size_t field) = 0;

    // The rows a view shows: the rows read so far that are visible (a dataset may hide some, such
    // as deleted rows kept for cached updates). View rows are numbered from 1 in record order;
    // while nothing is hidden a view row is its record number.
    virtual std::int64_t ViewRowCount() { return RowsRead(); }
    // The record number of a view row (0 when there is no such view row).
    virtual std::int64_t ViewRowToRecNo(std::int64_t viewRow);
    // The view row of a record (0 when the record is hidden or not read).
    virtual std::int64_t RecNoToViewRow(std::int64_t recNo);
    // Reads further rows until `viewRows` view rows exist or the rows end; answers
    // ViewRowCount().
    virtual std::int64_t ReadViewRowsUpTo(std::int64_t viewRows) { return ReadRowsUpTo(viewRows); }

    std::function<void(TDataSet&)> AfterOpen;
    std::function<void(TDataSet&)> AfterScroll;

    void AddObserver(DataSetObserver* observer);
    void RemoveObserver(DataSetObserver* observer);

    // Writers whose bytes Post takes in first.
    void AddPendingWriter(PendingFieldWriter* writer) { writers_.push_back(writer); }
    void RemovePendingWriter(PendingFieldWriter* writer);

    // Used by the fields.
    ValueView CurrentFieldValue(const TField& field);
    // The text a field of the current row is held as; Unknown while a row is edited or inserted
    // and for datasets that do not hold values as text.
    StoredValue CurrentFieldText(const TField& field, std::string_view& text) {
        return state_ == DataSetState::Browse ? InternalCurrentText(field.Index(), text)
                                              : StoredValue::Unknown;
    }
    void SetFieldValue(TField& field, FieldValue value);

protected:
    // Prepares the rows and creates the fields with AddField; a throw leaves the dataset closed.
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    // Cursor moves; each answers whether a row is current afterwards (Next/Prior: whether it
    // moved).
    virtual bool InternalFirst() = 0;
    virtual bool InternalLast() = 0;
    virtual bool InternalNext() = 0;
    virtual bool InternalPrior() = 0;
    virtual std::int64_t InternalRecordCount() = 0;
    virtual std::int64_t InternalRecNo() = 0;
    virtual bool InternalSetRecNo(std::int64_t recNo) = 0;
    virtual Bookmark InternalGetBookmark() = 0;
    virtual void InternalGotoBookmark(Bookmark bookmark) = 0;
    virtual ValueView InternalCurrentValue(std::size_t field) = 0;
    // The text of the current row's value as held, for datasets that hold the server's text.
    virtual StoredValue InternalCurrentText(std::size_t field, std::string_view& text) {
        (void)field;
        (void)text;
        return StoredValue::Unknown;
    }
    // The values a new row starts with (all NULL when nothing is done here).
    virtual void InternalInitRecord(std::vector<FieldValue>& values) { (void)values; }
    // Writes an edited or new row. A dataset that cannot write raises and the edit stays.
    virtual void InternalPost(bool inserting, bool appending, std::vector<FieldValue>& values);
    virtual void InternalDelete();

    TField& AddField(const std::string& name, FieldType type, std::int64_t size, bool isUnsigned);
    void Notify(DataEvent event, TField* field = nullptr);
    void CheckActive() const;
    // Finishes a pending edit (posting when something changed) before the cursor moves.
    void CheckBrowseMode();
    // Re-reads the begin/end state after rows changed under the cursor.
    void Resync(bool hasRow);

private:
    void Scrolled();
    void StartEditing(DataSetState state, bool appending);

    DataSetState state_ = DataSetState::Inactive;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<FieldValue> editValues_;
    bool modified_ = false;
    bool appending_ = false;
    bool bof_ = true;
    bool eof_ = true;
    std::vector<DataSetObserver*> observers_;
    std::vector<PendingFieldWriter*> writers_;
};

// Moves an observer from the dataset it watches (`watched`, may be null) to `next` (may be null)
// and stores `next` in `watched`; false when the two are the same and nothing changed.
bool WatchDataSet(DataSetObserver* observer, TDataSet*& watched, TDataSet* next);
