// ChangeWriter: the part of a TMySQLQuery that writes the operator's changes. It keeps the change
// log, turns a posted edit, a new row or a deletion into statements sent through the query's
// transaction component (at once, or at ApplyUpdates with cached updates) and reads the rows
// written back into the query's row cache as the server stored them. It refuses what it cannot
// write safely (a row whose key is not known, a row its values cannot tell apart from another, a
// row another user changed), and a write the server refuses leaves the cache and the log as they
// were. A transaction the server rolled back puts its writes back as pending; a connection lost
// while a change was sent is told as such.
#pragma once

#include "data/change_log.h"
#include "data/field_value.h"
#include "data/field_values.h"
#include "data/row_cache.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

class TMySQLQuery;

class ChangeWriter {
public:
    explicit ChangeWriter(TMySQLQuery& query);
    ChangeWriter(const ChangeWriter&) = delete;
    ChangeWriter& operator=(const ChangeWriter&) = delete;

    const ChangeLog& Log() const { return log_; }
    bool Pending() const { return log_.Pending(); }
    // Forgets the log: the query's rows are read anew.
    void Clear() { log_.Clear(); }
    // The change state of the query's current row (0 when there is none).
    std::uint8_t UpdateStatus();

    // The values a new row starts with: defaults of its columns and the master's link values.
    void InitRecord(std::vector<FieldValue>& values);
    // Writes an edited or new row, or deletes the current row; see TMySQLQuery.
    void Post(bool inserting, bool appending, std::vector<FieldValue>& values);
    void Delete();
    // See TMySQLQuery::ApplyUpdates and CommitUpdates.
    void ApplyUpdates();
    void CommitUpdates();

private:
    void PostEdit(std::vector<FieldValue>& values);
    void AddRow(bool appending, std::vector<FieldValue>& values);
    void DeleteRow();
    void WriteNow(const std::function<void()>& restore);
    // Remembers a change just written while the carrier's transaction stays open; forgets the
    // remembered ones once a write is committed or another transaction began.
    void NoteWritten(const ChangeEntry& change);
    // When error says the server rolled back the open transaction: ends it, puts every change
    // written in it back as pending and raises ETransactionRolledBack. Else does nothing.
    void PutBackRolledBackWrites(const std::exception& error);
    // Before changes are sent on the database's own connection: a connection the server dropped
    // is made again (nothing was sent on it, so the changes can go). An open transaction was lost
    // with it: its writes are put back as pending and ETransactionRolledBack is raised.
    void ReconnectBeforeWrite();
    // Puts every change remembered from the open transaction back as pending, and forgets them.
    void PutBackOpenWrites();
    // After a write failed: raises EWriteUncertain when the connection broke while it was sent.
    void CheckWriteLostConnection(const std::exception& error);
    void ApplyLog();
    void ApplyLogEntries(std::vector<std::int64_t>& written);
    void ApplyEntry(const TFieldValues& oldValues, const TFieldValues& newValues,
                    std::uint8_t state, std::uint64_t& insertId);
    void ReadBackInsertId(std::size_t position, std::uint64_t insertId);
    void FillValues(TFieldValues& out, const std::vector<FieldValue>& values) const;
    std::vector<FieldValue> RowValues(std::size_t position) const;
    void SetGeneratedKeys(std::vector<FieldValue>& values);
    void CheckKeyKnown(const std::string& table, const TFieldValues& oldValues) const;
    std::int64_t PositionOfId(std::int64_t id) const;
    void RemoveRows(std::vector<std::size_t> positions);
    void SettleCursor(std::int64_t from);

    // Reading written rows back (change_writer_readback.cpp).
    struct ReadBackKey {
        std::size_t field;  // the field holding the key column
        std::string column; // the column as the statement names it (qualifier.column)
        bool first;         // a key column of the first table
    };
    void ReadBack(const std::vector<std::int64_t>& ids);
    std::vector<ReadBackKey> ReadBackKeys() const;
    std::string ReadBackLiteral(const ReadBackKey& key, const ValueView& value) const;
    std::string ReadBackKeyText(const std::vector<ReadBackKey>& keys, const CachedRow* row,
                                bool& known) const;
    std::string ReadBackCondition(const std::vector<ReadBackKey>& keys,
                                  const std::vector<const CachedRow*>& rows) const;
    std::vector<CachedRow*> ReadBackRows(const std::string& condition);
    void PutReadBackRow(std::size_t position, CachedRow* read);

    TMySQLQuery& query_;
    RowCache& cache_; // the query's rows, which the writer changes
    ChangeLog log_;
    // Changes written in the carrier's open transaction (as their log entries were), and the
    // transaction's name.
    std::vector<ChangeEntry> openWrites_;
    std::string openTransaction_;
};
