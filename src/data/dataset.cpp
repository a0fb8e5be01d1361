#include "data/dataset.h"

#include "data/db_error.h"
#include "data/sql_scanner.h"

#include <algorithm>

TDataSet::~TDataSet() {
    Notify(DataEvent::Destroying);
}

void TDataSet::AddObserver(DataSetObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void TDataSet::RemoveObserver(DataSetObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

bool WatchDataSet(DataSetObserver* observer, TDataSet*& watched, TDataSet* next) {
    if (next == watched)
        return false;
    if (watched)
        watched->RemoveObserver(observer);
    watched = next;
    if (watched)
        watched->AddObserver(observer);
    return true;
}

void TDataSet::Notify(DataEvent event, TField* field) {
    if (observers_.empty())
        return;
    // A copy, so that an observer may detach itself while it is told.
    const std::vector<DataSetObserver*> observers = observers_;
    for (DataSetObserver* o : observers)
        if (std::find(observers_.begin(), observers_.end(), o) != observers_.end())
            o->DataSetEvent(*this, event, field);
}

void TDataSet::CheckActive() const {
    if (!Active())
        throw EDatabaseError(dberr::kDatasetClosed);
}

TField* TDataSet::FindField(std::string_view name) const {
    for (const auto& f : fields_)
        if (EqualsNoCase(f->FieldName(), name))
            return f.get();
    return nullptr;
}

TField& TDataSet::FieldByName(std::string_view name) const {
    if (TField* f = FindField(name))
        return *f;
    throw EDatabaseError("Field '" + std::string(name) + "' not found");
}

TField& TDataSet::AddField(const std::string& name, FieldType type, std::int64_t size,
                           bool isUnsigned) {
    const int no = static_cast<int>(fields_.size()) + 1;
    fields_.push_back(std::make_unique<TField>(*this, name, type, size, no, isUnsigned));
    return *fields_.back();
}

void TDataSet::Open() {
    if (Active())
        return;
    try {
        InternalOpen();
    } catch (...) {
        InternalClose();
        fields_.clear();
        throw;
    }
    state_ = DataSetState::Browse;
    bof_ = true;
    eof_ = !InternalFirst();
    Notify(DataEvent::ActiveChanged);
    if (AfterOpen)
        AfterOpen(*this);
    Scrolled();
}

void TDataSet::Close() {
    if (!Active())
        return;
    editValues_.clear();
    modified_ = false;
    InternalClose();
    fields_.clear();
    state_ = DataSetState::Inactive;
    bof_ = eof_ = true;
    Notify(DataEvent::ActiveChanged);
}

void TDataSet::Scrolled() {
    Notify(DataEvent::Scrolled);
    if (AfterScroll)
        AfterScroll(*this);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        if (modified_)
            Post();
        else
            Cancel();
    }
}

void TDataSet::First() {
    CheckBrowseMode();
    bof_ = true;
    eof_ = !InternalFirst();
    Scrolled();
}

void TDataSet::Last() {
    CheckBrowseMode();
    eof_ = true;
    bof_ = !InternalLast();
    Scrolled();
}

void TDataSet::Next() {
    CheckBrowseMode();
    if (InternalNext()) {
        bof_ = eof_ = false;
    } else {
        eof_ = true;
    }
    Scrolled();
}

void TDataSet::Prior() {
    CheckBrowseMode();
    if (InternalPrior()) {
        bof_ = eof_ = false;
    } else {
        bof_ = true;
    }
    Scrolled();
}

std::int64_t TDataSet::RecordCount() {
    CheckActive();
    return InternalRecordCount();
}

std::int64_t TDataSet::RecNo() {
    CheckActive();
    return state_ == DataSetState::Insert ? -1 : InternalRecNo();
}

void TDataSet::SetRecNo(std::int64_t recNo) {
    CheckBrowseMode();
    if (recNo < 1)
        return;
    const bool has = InternalSetRecNo(recNo);
    bof_ = eof_ = !has;
    Scrolled();
}

Bookmark TDataSet::GetBookmark() {
    CheckActive();
    return InternalGetBookmark();
}

void TDataSet::GotoBookmark(Bookmark bookmark) {
    CheckBrowseMode();
    InternalGotoBookmark(bookmark);
    bof_ = eof_ = false;
    Scrolled();
}

void TDataSet::Resync(bool hasRow) {
    bof_ = eof_ = !hasRow;
    Notify(DataEvent::DataSetChanged);
}

void TDataSet::StartEditing(DataSetState state, bool appending) {
    state_ = state;
    appending_ = appending;
    modified_ = false;
    Notify(DataEvent::StateChanged);
}

void TDataSet::Edit() {
    CheckActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        return;
    if (!CanModify())
        throw EDatabaseError(dberr::kReadOnlyDataset);
    if (IsEmpty()) {
        Insert();
        return;
    }
    editValues_.clear();
    editValues_.reserve(fields_.size());
    for (const auto& f : fields_)
        editValues_.push_back(FieldValue::From(InternalCurrentValue(f->Index())));
    StartEditing(DataSetState::Edit, false);
}

void TDataSet::Insert() {
    CheckBrowseMode();
    if (!CanModify())
        throw EDatabaseError(dberr::kReadOnlyDataset);
    editValues_.assign(fields_.size(), FieldValue{});
    InternalInitRecord(editValues_);
    StartEditing(DataSetState::Insert, false);
}

void TDataSet::Append() {
    CheckBrowseMode();
    if (!CanModify())
        throw EDatabaseError(dberr::kReadOnlyDataset);
    Last();
    editValues_.assign(fields_.size(), FieldValue{});
    InternalInitRecord(editValues_);
    StartEditing(DataSetState::Insert, true);
}

void TDataSet::Post() {
    CheckActive();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        return;
    // Bytes still in an open blob stream belong to this post.
    for (PendingFieldWriter* writer : std::vector<PendingFieldWriter*>(writers_))
        writer->Flush();
    // A failing write raises here and leaves the state and the edited values as they are.
    InternalPost(state_ == DataSetState::Insert, appending_, editValues_);
    editValues_.clear();
    modified_ = false;
    state_ = DataSetState::Browse;
    Notify(DataEvent::StateChanged);
    Notify(DataEvent::DataSetChanged);
}

void TDataSet::RemovePendingWriter(PendingFieldWriter* writer) {
    writers_.erase(std::remove(writers_.begin(), writers_.end(), writer), writers_.end());
}

void TDataSet::Cancel() {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        return;
    editValues_.clear();
    modified_ = false;
    state_ = DataSetState::Browse;
    Notify(DataEvent::StateChanged);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (IsEmpty())
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    if (!CanModify())
        throw EDatabaseError(dberr::kReadOnlyDataset);
    Cancel();
    InternalDelete();
    Notify(DataEvent::DataSetChanged);
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    const std::int64_t recNo = RecNo();
    Close();
    Open();
    if (recNo > 1)
        SetRecNo(recNo);
}

void TDataSet::InternalPost(bool, bool, std::vector<FieldValue>&) {
    throw EDatabaseError(dberr::kReadOnlyDataset);
}

void TDataSet::InternalDelete() {
    throw EDatabaseError(dberr::kReadOnlyDataset);
}

ValueView TDataSet::CurrentFieldValue(const TField& field) {
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        const std::size_t i = field.Index();
        return i < editValues_.size() ? editValues_[i].View() : ValueView{};
    }
    if (!Active())
        return {};
    return InternalCurrentValue(field.Index());
}

void TDataSet::SetFieldValue(TField& field, FieldValue value) {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw EDatabaseError(dberr::kNotEditing);
    if (field.ReadOnly)
        throw EDatabaseError("Field '" + field.FieldName() + "' cannot be modified");
    editValues_[field.Index()] = std::move(value);
    modified_ = true;
    Notify(DataEvent::FieldChanged, &field);
}

std::int64_t TDataSet::ViewRowToRecNo(std::int64_t viewRow) {
    return viewRow >= 1 && viewRow <= RowsRead() ? viewRow : 0;
}

std::int64_t TDataSet::RecNoToViewRow(std::int64_t recNo) {
    return recNo >= 1 && recNo <= RowsRead() ? recNo : 0;
}
