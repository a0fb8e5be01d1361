// Writing a query's changes: the change log, posting edits and new rows, deleting, applying the
// log through the transaction component and committing it.
#include "data/change_writer.h"

#include "data/client_library.h"
#include "data/column_defaults.h"
#include "data/live_errors.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/post_guards.h"
#include "data/server_role.h"
#include "data/transaction_link.h"
#include "data/update_statements.h"

#include <algorithm>
#include <charconv>

namespace {

bool IsInserted(std::uint8_t state) {
    return state == rsInserted || state == rsAppended;
}

// A value from a text for a field, as a new row's defaults are set: text cut to the field's size,
// and an empty text giving 0, false or the zero date.
FieldValue DefaultFromText(const TField& f, const std::string& text) {
    if (text.empty() && KindOf(f.DataType()) == ValueKind::DateTime)
        return ValueFromText(f.DataType(), false, TraitsOf(f.DataType()).zeroText);
    return ValueFromText(f.DataType(), f.IsUnsigned(), CutToFieldSize(text, f));
}

} // namespace

ChangeWriter::ChangeWriter(TMySQLQuery& query) : query_(query), cache_(query.cache_) {}

std::vector<FieldValue> ChangeWriter::RowValues(std::size_t position) const {
    std::vector<FieldValue> values;
    values.reserve(query_.FieldCount());
    const CachedRow* row = cache_.Block(position);
    for (std::size_t f = 0; f < query_.FieldCount(); ++f)
        values.push_back(FieldValue::From(cache_.Value(row, f)));
    return values;
}

void ChangeWriter::FillValues(TFieldValues& out, const std::vector<FieldValue>& values) const {
    out.Clear();
    for (std::size_t f = 0; f < query_.FieldCount() && f < values.size(); ++f) {
        const TMySQLField* d = query_.Description(query_.Field(f));
        if (!d)
            continue;
        const TField& field = query_.Field(f);
        out.Add(d->Table + "." + d->Column, d->Alias, values[f].null,
                ExactText(field.DataType(), field.IsUnsigned(), values[f].View()));
    }
}

std::int64_t ChangeWriter::PositionOfId(std::int64_t id) const {
    // Rows enter the cache with rising Ids (fetched or new, always at the end) and keep them.
    std::size_t lo = 0, hi = cache_.Count();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (cache_.Row(mid)->id < id)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < cache_.Count() && cache_.Row(lo)->id == id ? static_cast<std::int64_t>(lo) : -1;
}

std::uint8_t ChangeWriter::UpdateStatus() {
    if (!query_.Active())
        return rsUnmodified;
    query_.ResolveCurrent();
    return query_.current_ >= 0 ? cache_.Row(static_cast<std::size_t>(query_.current_))->state
                                : std::uint8_t(rsUnmodified);
}

void ChangeWriter::InitRecord(std::vector<FieldValue>& values) {
    for (std::size_t f = 0; f < query_.FieldCount() && f < values.size(); ++f) {
        const TField& field = query_.Field(f);
        const TMySQLField* d = query_.Description(field);
        if (!d)
            continue;
        // Left NULL, the server fills these itself: an auto-increment id, a generated column,
        // and a default it computes.
        if (IsAutoIncrement(*d) || IsGenerated(*d) || DefaultIsExpression(*d))
            continue;
        if (!field.DefaultExpression.empty() || d->KeyKind != 0 || !d->Nullable)
            values[f] = DefaultFromText(field, field.DefaultExpression);
    }
    query_.link_.SetNewRowValues(values);
}

void ChangeWriter::Post(bool inserting, bool appending, std::vector<FieldValue>& edited) {
    if (!query_.CanModify())
        throw EDatabaseError(dberr::kReadOnlyDataset);
    // The cache keeps what the server will hold; the edit keeps the operator's values.
    std::vector<FieldValue> values = edited;
    for (std::size_t f = 0; f < values.size() && f < query_.FieldCount(); ++f) {
        if (query_.WriteTextAsIs || values[f].null || !IsTextType(query_.Field(f).DataType()))
            continue;
        // A value the edit left alone is kept as the server has it.
        if (!inserting && values[f].text == query_.InternalCurrentValue(f).text)
            continue;
        values[f].text = TextAsWritten(query_.Field(f).DataType(), values[f].text);
    }
    if (inserting)
        AddRow(appending, values);
    else
        PostEdit(values);
}

void ChangeWriter::WriteNow(const std::function<void()>& restore) {
    if (query_.CachedUpdates)
        return;
    try {
        ApplyLog();
        CommitUpdates();
    } catch (const std::exception& error) {
        restore();
        PutBackRolledBackWrites(error);
        CheckWriteLostConnection(error);
        throw;
    } catch (...) {
        restore();
        throw;
    }
}

void ChangeWriter::NoteWritten(const ChangeEntry& change) {
    if (!query_.transaction_ || query_.OnApplyUpdates)
        return;
    const std::string open = query_.transaction_->OpenTransaction();
    if (open != openTransaction_)
        openWrites_.clear();
    openTransaction_ = open;
    if (!open.empty())
        openWrites_.push_back(change);
}

void ChangeWriter::ReconnectBeforeWrite() {
    if (!query_.database_ || !query_.transaction_ || query_.transaction_->ThroughTransactServer() ||
        query_.OnApplyUpdates)
        return;
    TDirMySQLConnect& connect = query_.database_->DirConnect();
    if (!connect.Active)
        return;
    if (connect.ServerStillThere()) {
        // A cluster node that aborted the open transaction answers the next command, this check,
        // with the deadlock: the transaction is gone, and a write sent now would commit alone.
        MYSQL* handle = connect.Handle();
        if (handle && Client().mysql_errno(handle) != 0) {
            const std::string text = Client().mysql_error(handle);
            if (EndsOpenTransaction(text)) {
                PutBackOpenWrites();
                throw ETransactionRolledBack(text);
            }
        }
        return;
    }
    const std::string lost = connect.GetErrorMsg();
    if (connect.Connect() != dsConnected)
        throw EDatabaseError(connect.GetErrorMsg());
    if (openTransaction_.empty())
        return;
    // The server ended the transaction with the connection: none of it was kept.
    PutBackOpenWrites();
    throw ETransactionRolledBack(lost.empty() ? "Server has gone away" : lost);
}

void ChangeWriter::CheckWriteLostConnection(const std::exception& error) {
    if (dynamic_cast<const EDatabaseError*>(&error) == nullptr ||
        dynamic_cast<const ETransactionRolledBack*>(&error) ||
        dynamic_cast<const EWriteUncertain*>(&error) || !query_.database_ || !query_.transaction_ ||
        query_.transaction_->ThroughTransactServer())
        return;
    if (ConnectionLost(query_.database_->DirConnect().Handle()))
        throw EWriteUncertain(error.what());
}

void ChangeWriter::PutBackRolledBackWrites(const std::exception& error) {
    if (dynamic_cast<const ETransactionRolledBack*>(&error) || !EndsOpenTransaction(error.what()))
        return;
    // A lock wait that timed out leaves the transaction open: it is ended so that what the server
    // holds is what the grid says.
    if (query_.transaction_)
        query_.transaction_->RollBackOpenTransaction();
    PutBackOpenWrites();
    throw ETransactionRolledBack(error.what());
}

void ChangeWriter::PutBackOpenWrites() {
    for (const ChangeEntry& change : openWrites_) {
        const std::int64_t at = PositionOfId(change.id);
        if (at < 0)
            continue; // a deleted row: it is back on the server, Refresh shows it
        cache_.SetState(static_cast<std::size_t>(at), change.state);
        ChangeEntry* entry = log_.Find(change.id);
        if (!entry)
            log_.Append(change);
        else if (entry->state == rsUnmodified)
            *entry = change;
    }
    openWrites_.clear();
    openTransaction_.clear();
    query_.InvalidateViewRows();
}

void ChangeWriter::PostEdit(std::vector<FieldValue>& values) {
    query_.ResolveCurrent();
    if (query_.current_ < 0)
        throw EDatabaseError(dberr::kNoMoreRecords);
    const auto position = static_cast<std::size_t>(query_.current_);
    CachedRow* before = cache_.Block(position);
    const std::uint8_t stateBefore = before->state;
    ChangeEntry* entry = log_.Find(before->id);
    const bool hadEntry = entry != nullptr;
    const ChangeEntry entryBefore = hadEntry ? *entry : ChangeEntry{};

    const std::uint8_t state = stateBefore == rsUnmodified ? std::uint8_t(rsModified) : stateBefore;
    if (!entry)
        log_.Append({before->id, state, RowValues(position)});
    else if (entry->state == rsUnmodified) // applied, not committed: a new change starts here
        *entry = {before->id, state, RowValues(position)};
    cache_.Replace(position, cache_.Build(values, before->recNo, before->id, state));
    query_.InvalidateViewRows();
    WriteNow([&] {
        cache_.Replace(position, before);
        before->state = stateBefore;
        log_.Remove(before->id);
        if (hadEntry)
            log_.Append(entryBefore);
        query_.InvalidateViewRows();
    });
    query_.Resync(true);
}

void ChangeWriter::SetGeneratedKeys(std::vector<FieldValue>& values) {
    for (const std::string& table : query_.Tables()) {
        const std::string keys = query_.analysis_.KeyAliases(table);
        if (keys.empty() || keys.find(' ') != std::string::npos)
            continue; // no key, or a key of several columns
        TField* field = query_.FindField(keys);
        if (!field)
            continue;
        const std::string name = table.substr(table.rfind('.') + 1);
        values[field->Index()] = ValueFromText(field->DataType(), field->IsUnsigned(),
                                               std::to_string(query_.database_->GetGen(name)));
    }
}

void ChangeWriter::AddRow(bool appending, std::vector<FieldValue>& values) {
    if (appending)
        query_.FetchAll();
    if (query_.UseGen)
        SetGeneratedKeys(values);
    const std::uint8_t state = appending ? rsAppended : rsInserted;
    const std::int64_t id = ++query_.lastId_;
    const std::int64_t currentBefore = query_.current_;
    cache_.Append(cache_.Build(values, ++query_.recordCounter_, id, state));
    ++query_.rowsAddedOrRemoved_;
    log_.Append({id, state, values});
    query_.current_ = static_cast<std::int64_t>(cache_.Count()) - 1;
    query_.InvalidateViewRows();
    WriteNow([&] {
        const std::int64_t at = PositionOfId(id);
        if (at >= 0)
            cache_.Erase(static_cast<std::size_t>(at));
        --query_.rowsAddedOrRemoved_;
        --query_.recordCounter_;
        log_.Remove(id);
        query_.current_ = currentBefore;
        query_.InvalidateViewRows();
    });
    // The new row is current, wherever the views show it.
    query_.current_ = PositionOfId(id) >= 0 ? PositionOfId(id) : query_.current_;
    query_.Resync(true);
}

void ChangeWriter::Delete() {
    if (!query_.CanModify())
        throw EDatabaseError(dberr::kReadOnlyDataset);
    DeleteRow();
}

void ChangeWriter::DeleteRow() {
    query_.ResolveCurrent();
    if (query_.current_ < 0)
        throw EDatabaseError(dberr::kNoMoreRecords);
    const auto position = static_cast<std::size_t>(query_.current_);
    CachedRow* row = cache_.Block(position);
    if (IsInserted(row->state)) {
        // Never written: it goes without a statement.
        log_.Remove(row->id);
        cache_.Erase(position);
        --query_.rowsAddedOrRemoved_;
        query_.InvalidateViewRows();
        SettleCursor(query_.current_);
        return;
    }
    const std::uint8_t stateBefore = row->state;
    ChangeEntry* entry = log_.Find(row->id);
    const bool hadEntry = entry != nullptr;
    const ChangeEntry entryBefore = hadEntry ? *entry : ChangeEntry{};
    if (!entry)
        log_.Append({row->id, rsDeleted, RowValues(position)});
    else if (entry->state == rsUnmodified)
        *entry = {row->id, rsDeleted, RowValues(position)};
    else
        entry->state = rsDeleted; // the values before the first change stay
    row->state = rsDeleted;
    query_.InvalidateViewRows();
    const std::int64_t id = row->id;
    WriteNow([&] {
        const std::int64_t at = PositionOfId(id);
        if (at >= 0)
            cache_.SetState(static_cast<std::size_t>(at), stateBefore);
        log_.Remove(id);
        if (hadEntry)
            log_.Append(entryBefore);
        query_.InvalidateViewRows();
    });
    const std::int64_t at = PositionOfId(id);
    SettleCursor(at >= 0 ? at : query_.current_);
}

// After rows went away or were hidden: the first visible row from `from` on, else the last one
// before it.
void ChangeWriter::SettleCursor(std::int64_t from) {
    query_.current_ = -1;
    for (std::int64_t i = std::max<std::int64_t>(from, 0);
         i < static_cast<std::int64_t>(cache_.Count()); ++i)
        if (query_.RowVisible(static_cast<std::size_t>(i))) {
            query_.current_ = i;
            break;
        }
    if (query_.current_ < 0)
        for (std::int64_t i = std::min<std::int64_t>(from, cache_.Count()) - 1; i >= 0; --i)
            if (query_.RowVisible(static_cast<std::size_t>(i))) {
                query_.current_ = i;
                break;
            }
    if (query_.current_ < 0 && query_.CanFetch())
        query_.current_ = query_.FindVisibleFrom(static_cast<std::int64_t>(cache_.Count()));
    query_.Resync(query_.current_ >= 0);
}

void ChangeWriter::ApplyUpdates() {
    query_.CheckActive();
    if (query_.State() == DataSetState::Edit || query_.State() == DataSetState::Insert)
        query_.Post();
    try {
        ApplyLog();
    } catch (const std::exception& error) {
        SettleCursor(query_.current_);
        PutBackRolledBackWrites(error);
        CheckWriteLostConnection(error);
        throw;
    } catch (...) {
        SettleCursor(query_.current_);
        throw;
    }
    SettleCursor(query_.current_);
}

void ChangeWriter::ApplyEntry(const TFieldValues& oldValues, const TFieldValues& newValues,
                              std::uint8_t state, std::uint64_t& insertId) {
    if (query_.OnApplyUpdates) {
        query_.OnApplyUpdates(query_, oldValues, newValues, state);
        return;
    }
    if (!query_.transaction_)
        throw EDatabaseError(liveerr::kNoTransaction);
    const auto statements = GenerateStatements(
        query_.analysis_, oldValues, newValues, state,
        [this](std::string_view v) { return query_.transaction_->SqlLiteral(v); });
    // Before anything is sent: every row to find has a key the client knows.
    for (const GeneratedStatement& s : statements)
        if (s.mustMatch && s.table < query_.Tables().size())
            CheckKeyKnown(query_.Tables()[s.table], oldValues);
    for (const GeneratedStatement& s : statements)
        CheckRowCanBeToldApart(query_.database_->DirConnect(), s);
    // The statements of one change (a row of several tables) are written all or not at all.
    AllOrNothing together(*query_.transaction_, query_.database_->DirConnect().Handle(),
                          statements.size());
    for (const GeneratedStatement& s : statements) {
        const ExecResult r = query_.transaction_->ExecSQL(s.sql);
        if (s.mustMatch && r.countsKnown && r.matchedRows == 0)
            throw ERowChanged();
        if (s.insert && s.table == 0 && r.countsKnown)
            insertId = r.insertId;
    }
    together.Commit();
}

void ChangeWriter::ReadBackInsertId(std::size_t position, std::uint64_t insertId) {
    if (insertId == 0 || query_.UseGen || !query_.transaction_ || query_.Tables().empty())
        return;
    TField* field = query_.FindField(query_.analysis_.AutoIncrementAlias(query_.Tables().front()));
    if (!field)
        return;
    std::vector<FieldValue> values = RowValues(position);
    values[field->Index()] =
        ValueFromText(field->DataType(), field->IsUnsigned(), std::to_string(insertId));
    CachedRow* row = cache_.Block(position);
    cache_.Replace(position, cache_.Build(values, row->recNo, row->id, row->state));
}

// A row's primary key is never NULL on the server: a NULL in the row as the client has it means a
// new row whose generated key was not reported, and a condition on it would find nothing (or
// another row).
void ChangeWriter::CheckKeyKnown(const std::string& table, const TFieldValues& oldValues) const {
    for (const std::string& key : query_.analysis_.PrimaryKeyOf(table)) {
        const int i = oldValues.IndexOf(table + "." + key);
        if (i >= 0 && oldValues.IsNull(static_cast<std::size_t>(i)))
            throw EKeyUnknown();
    }
}

void ChangeWriter::ApplyLog() {
    if (!query_.RequestLive)
        return;
    if (query_.BeforeWrite && log_.Pending())
        query_.BeforeWrite(query_);
    if (log_.Pending())
        ReconnectBeforeWrite();
    // Rows written are read back at the end (also when a later change fails), in blocks.
    struct ReadBackWritten {
        ChangeWriter& q;
        std::vector<std::int64_t> ids;
        void Run() {
            std::vector<std::int64_t> done;
            done.swap(ids);
            q.ReadBack(done);
        }
    } written{*this, {}};
    try {
        ApplyLogEntries(written.ids);
    } catch (...) {
        try {
            written.Run();
        } catch (...) {
            // The failure of the write is the one to report.
        }
        throw;
    }
    written.Run();
}

void ChangeWriter::ApplyLogEntries(std::vector<std::int64_t>& written) {
    TFieldValues oldValues, newValues;
    // Deleted rows leave the cache once the log is through (or the apply ends).
    struct Compact {
        ChangeWriter& q;
        std::vector<std::size_t> positions;
        ~Compact() { q.RemoveRows(positions); }
    } compact{*this, {}};
    for (std::size_t e = 0; e < log_.Count(); ++e) {
        if (log_[e].state == rsUnmodified)
            continue;
        const std::int64_t position = PositionOfId(log_[e].id);
        if (position < 0) {
            log_[e].state = rsUnmodified; // its row is gone: nothing to write
            continue;
        }
        const auto at = static_cast<std::size_t>(position);
        const std::uint8_t state = log_[e].state;
        FillValues(oldValues, log_[e].values);
        FillValues(newValues, RowValues(at));
        std::uint64_t insertId = 0;
        bool abandoned = false;
        for (;;) {
            try {
                ApplyEntry(oldValues, newValues, state, insertId);
                break;
            } catch (const EDatabaseError& error) {
                int action = uaFail;
                if (query_.OnApplyUpdateError) {
                    // The failing row is current while the handler looks at it.
                    const std::int64_t saved = query_.current_;
                    query_.current_ = position;
                    try {
                        query_.OnApplyUpdateError(query_, error, action);
                    } catch (...) {
                        query_.current_ = saved;
                        throw;
                    }
                    query_.current_ = saved;
                }
                if (action == uaRetry)
                    continue;
                if (action == uaAbort) {
                    abandoned = true;
                    break;
                }
                throw;
            }
        }
        if (IsInserted(state))
            ReadBackInsertId(at, insertId);
        if (state != rsDeleted && !query_.OnApplyUpdates && !abandoned)
            written.push_back(log_[e].id);
        if (!abandoned)
            NoteWritten(log_[e]);
        log_[e].state = rsUnmodified;
        CachedRow* row = cache_.Block(at);
        if (row->state == rsDeleted)
            compact.positions.push_back(at);
        else
            row->state = rsUnmodified;
        query_.InvalidateViewRows();
    }
}

void ChangeWriter::RemoveRows(std::vector<std::size_t> positions) {
    if (positions.empty())
        return;
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    // Whatever row is current stays current, or the next row when it goes.
    if (query_.current_ >= 0)
        query_.current_ -= std::lower_bound(positions.begin(), positions.end(),
                                            static_cast<std::size_t>(query_.current_)) -
                           positions.begin();
    cache_.ErasePositions(positions);
    query_.rowsAddedOrRemoved_ -= static_cast<std::int64_t>(positions.size());
    if (query_.current_ >= static_cast<std::int64_t>(cache_.Count()))
        query_.current_ = static_cast<std::int64_t>(cache_.Count()) - 1;
    query_.InvalidateViewRows();
}

void ChangeWriter::CommitUpdates() {
    query_.CheckActive();
    // Only rows in the log can be in another state than unchanged.
    std::vector<std::size_t> deleted;
    for (std::size_t e = 0; e < log_.Count(); ++e) {
        const std::int64_t at = PositionOfId(log_[e].id);
        if (at < 0)
            continue;
        CachedRow* row = cache_.Block(static_cast<std::size_t>(at));
        if (row->state == rsDeleted)
            deleted.push_back(static_cast<std::size_t>(at));
        else
            row->state = rsUnmodified;
    }
    log_.Clear();
    RemoveRows(std::move(deleted));
    query_.InvalidateViewRows();
    if (query_.current_ >= static_cast<std::int64_t>(cache_.Count()))
        query_.current_ = static_cast<std::int64_t>(cache_.Count()) - 1;
}
