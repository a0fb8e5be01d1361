// Reading written rows back: after a write the cache takes the row as the server stored it (values
// the server set itself, a trigger's changes, padding, rounding), found by the primary keys of the
// statement's tables. Rows are read in blocks, one SELECT per block of keys.
#include "data/change_writer.h"

#include "data/link_statement.h"
#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/sql_names.h"
#include "data/sql_values.h"
#include "data/transaction_link.h"

#include <charconv>
#include <unordered_map>

namespace {

// Keys per SELECT: long enough to make the round trips few, short enough for any packet size.
constexpr std::size_t kReadBackBlock = 500;

bool IsPlainInteger(std::string_view s) {
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

std::vector<ChangeWriter::ReadBackKey> ChangeWriter::ReadBackKeys() const {
    std::vector<ReadBackKey> keys;
    const std::vector<std::string>& tables = query_.Tables();
    const std::vector<std::string>& aliases = query_.Aliases();
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const std::vector<std::string> columns = query_.analysis_.PrimaryKeyOf(tables[t]);
        std::vector<ReadBackKey> own;
        for (const std::string& column : columns) {
            for (std::size_t f = 0; f < query_.FieldCount(); ++f) {
                const TMySQLField* d = query_.Description(query_.Field(f));
                if (d && d->Table == tables[t] && d->Column == column) {
                    const std::string& qualifier = t < aliases.size() ? aliases[t] : tables[t];
                    own.push_back({f, qualifier + "." + QuoteNameIfNeeded(column), t == 0});
                    break;
                }
            }
        }
        // A table whose key is only partly selected cannot pick out its row.
        if (!columns.empty() && own.size() == columns.size())
            keys.insert(keys.end(), own.begin(), own.end());
        else if (t == 0)
            return {}; // the first table's row cannot be told: nothing is read back
    }
    return keys;
}

std::string ChangeWriter::ReadBackLiteral(const ReadBackKey& key, const ValueView& value) const {
    const TField& field = query_.Field(key.field);
    const std::string text = ExactText(field.DataType(), field.IsUnsigned(), value);
    if (KindOf(field.DataType()) == ValueKind::Integer && IsPlainInteger(text))
        return text;
    return QuoteSqlValue(query_.database_->DirConnect().Handle(), text);
}

// A text that is the same for the key values of a written row and of the row read back.
std::string ChangeWriter::ReadBackKeyText(const std::vector<ReadBackKey>& keys,
                                          const CachedRow* row, bool& known) const {
    std::string text;
    known = true;
    for (const ReadBackKey& key : keys) {
        const TField& field = query_.Field(key.field);
        const ValueView v = cache_.Value(row, key.field);
        if (v.null) {
            // A joined table without a row here (an outer join); the first table's row must be
            // known.
            if (key.first) {
                known = false;
                return {};
            }
            text += "N";
            continue;
        }
        std::string part;
        if (KindOf(field.DataType()) == ValueKind::Integer)
            part = field.IsUnsigned() ? std::to_string(static_cast<std::uint64_t>(v.i))
                                      : std::to_string(v.i);
        else
            part = ExactText(field.DataType(), field.IsUnsigned(), v);
        text += std::to_string(part.size());
        text += ':';
        text += part;
    }
    return text;
}

std::string ChangeWriter::ReadBackCondition(const std::vector<ReadBackKey>& keys,
                                            const std::vector<const CachedRow*>& rows) const {
    std::string cond;
    if (keys.size() == 1) {
        cond = keys.front().column + " IN (";
        for (std::size_t r = 0; r < rows.size(); ++r) {
            cond += r ? ", " : "";
            cond += ReadBackLiteral(keys.front(), cache_.Value(rows[r], keys.front().field));
        }
        return cond + ")";
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        cond += r ? " OR (" : "(";
        for (std::size_t k = 0; k < keys.size(); ++k) {
            cond += k ? " AND " : "";
            const ValueView v = cache_.Value(rows[r], keys[k].field);
            cond += keys[k].column + (v.null ? " IS NULL" : " = " + ReadBackLiteral(keys[k], v));
        }
        cond += ")";
    }
    return cond;
}

// Runs the statement with the condition added; answers the row blocks read (state 0, no record
// number), or nothing when the statement cannot take the condition or fails.
std::vector<CachedRow*> ChangeWriter::ReadBackRows(const std::string& condition) {
    std::string statement, whyNot;
    if (!AddTopLevelCondition(query_.SQLText(), condition, statement, whyNot))
        return {};
    TDirMySqlQuery query(&query_.database_->DirConnect());
    query.SetStoreResult(true);
    query.Sql = statement;
    query.Open();
    std::vector<CachedRow*> rows;
    if (!query.Active)
        return rows;
    // The same statement answers the same columns: the fields map onto them as when it opened.
    for (MYSQL_ROW row = query.CurrentRow(); row; query.Next(), row = query.CurrentRow())
        rows.push_back(cache_.BuildFromTexts(row, query.CurrentLengths(),
                                             query_.columnOfField_.data(), 0, 0, rsUnmodified));
    query.Close();
    return rows;
}

void ChangeWriter::PutReadBackRow(std::size_t position, CachedRow* read) {
    const CachedRow* row = cache_.Block(position);
    read->recNo = row->recNo;
    read->id = row->id;
    read->state = row->state;
    cache_.Replace(position, read);
}

void ChangeWriter::ReadBack(const std::vector<std::int64_t>& ids) {
    if (ids.empty() || !query_.database_ || !query_.database_->Connected() ||
        query_.columnOfField_.empty())
        return;
    // Through a transact-server without AutoCommit the written rows are not visible yet.
    if (query_.transaction_ && !query_.transaction_->WritesVisibleAtOnce())
        return;
    const std::vector<ReadBackKey> keys = ReadBackKeys();
    if (keys.empty())
        return; // a keyless row cannot be found again: the cache keeps the values written
    try {
        std::vector<std::int64_t> pending;
        for (std::size_t from = 0; from < ids.size(); from += kReadBackBlock) {
            std::vector<const CachedRow*> rows;
            std::unordered_map<std::string, std::int64_t> idOfKey;
            for (std::size_t i = from; i < ids.size() && i < from + kReadBackBlock; ++i) {
                const std::int64_t at = PositionOfId(ids[i]);
                if (at < 0)
                    continue;
                const CachedRow* row = cache_.Block(static_cast<std::size_t>(at));
                bool known = false;
                const std::string key = ReadBackKeyText(keys, row, known);
                if (!known || row->state == rsDeleted)
                    continue;
                if (!idOfKey.emplace(key, ids[i]).second)
                    continue; // two rows with one key: neither can be told from the other
                rows.push_back(row);
            }
            if (rows.empty())
                continue;
            std::unordered_map<std::string, CachedRow*> readOfKey;
            std::unordered_map<std::string, int> seen;
            for (CachedRow* read : ReadBackRows(ReadBackCondition(keys, rows))) {
                bool known = false;
                const std::string key = ReadBackKeyText(keys, read, known);
                if (known && ++seen[key] == 1)
                    readOfKey[key] = read;
            }
            for (const auto& [key, id] : idOfKey) {
                const auto found = readOfKey.find(key);
                if (found != readOfKey.end() && seen[key] == 1) {
                    const std::int64_t at = PositionOfId(id);
                    if (at >= 0)
                        PutReadBackRow(static_cast<std::size_t>(at), found->second);
                } else if (found == readOfKey.end()) {
                    pending.push_back(id); // the server writes the key otherwise: ask for it alone
                }
            }
        }
        // One by one: the key compared by the server's own rules (a CHAR's padding, a collation).
        for (const std::int64_t id : pending) {
            const std::int64_t at = PositionOfId(id);
            if (at < 0)
                continue;
            const std::vector<CachedRow*> read =
                ReadBackRows(ReadBackCondition(keys, {cache_.Block(static_cast<std::size_t>(at))}));
            if (read.size() == 1)
                PutReadBackRow(static_cast<std::size_t>(at), read.front());
        }
    } catch (const EDatabaseError&) {
        // The rows were written; a row that cannot be read back keeps the values written.
    }
    query_.InvalidateViewRows();
}
