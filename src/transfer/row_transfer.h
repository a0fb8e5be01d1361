// Copying the rows of a source dataset into a live MySQL query: for every source row a new row is
// appended, filled column by column by position and posted. Plain C++ (no Qt), so the window, the
// tests and the benchmark share it.
#pragma once

#include "data/db_error.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

class TDataSet;
class TField;
class TMySQLQuery;

// The source has more columns than the destination: nothing was copied.
class ETransferColumns : public EDatabaseError {
public:
    ETransferColumns(std::size_t sourceColumns, std::size_t destinationColumns);
    std::size_t SourceColumns() const { return source_; }
    std::size_t DestinationColumns() const { return destination_; }

private:
    std::size_t source_, destination_;
};

// A column of the destination query that is no writable column of its table: an expression of
// the select list or a generated column. The server would never hold a value copied into it, so
// nothing is copied.
class ETransferTarget : public EDatabaseError {
public:
    enum Kind { Expression, Generated };
    ETransferTarget(std::string column, Kind kind);
    const std::string& Column() const { return column_; }
    Kind TargetKind() const { return kind_; }

private:
    std::string column_;
    Kind kind_;
};

// A value the destination column cannot take as it is (text that is not a number for a
// numeric column); names the column.
class ETransferValue : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};

// A text longer (in characters) than the CHAR or VARCHAR column it goes to. It is never cut:
// the row is refused.
class ETransferTooLong : public ETransferValue {
public:
    ETransferTooLong(std::string column, std::int64_t length, std::int64_t size);
    const std::string& Column() const { return column_; }
    std::int64_t Length() const { return length_; }
    std::int64_t Size() const { return size_; }

private:
    std::string column_;
    std::int64_t length_, size_;
};

// A row failed: the rows before it stay posted, the failed new row is cancelled. The row is the
// source's row number Copied() + 1. The error that stopped it is kept: its text is this one's,
// its number and SQLSTATE are this one's, and CauseIs<E>() tells its class (a lost connection, a
// duplicate key).
class ETransferFailed : public EDatabaseError {
public:
    ETransferFailed(std::int64_t copied, const std::string& cause,
                    std::exception_ptr causeError = nullptr, unsigned errorNumber = 0,
                    std::string sqlState = {})
        : EDatabaseError(cause, errorNumber, std::move(sqlState)), copied_(copied),
          cause_(std::move(causeError)) {}
    std::int64_t Copied() const { return copied_; }
    // The error that stopped the row (empty when none was kept).
    const std::exception_ptr& CauseError() const { return cause_; }
    template <typename E> bool CauseIs() const {
        if (!cause_)
            return false;
        try {
            std::rethrow_exception(cause_);
        } catch (const E&) {
            return true;
        } catch (...) {
            return false;
        }
    }

private:
    std::int64_t copied_;
    std::exception_ptr cause_;
};

// The row failed because a text was longer than its column takes.
class ETransferTextTooLong : public ETransferFailed {
public:
    ETransferTextTooLong(std::int64_t copied, const ETransferTooLong& cause)
        : ETransferFailed(copied, cause.what(), std::make_exception_ptr(cause)), cause_(cause) {}
    const ETransferTooLong& Cause() const { return cause_; }

private:
    ETransferTooLong cause_;
};

struct TransferResult {
    std::int64_t copied = 0;
    bool cancelled = false; // stopped by the progress callback
};

// Told after every posted row (rows copied, rows of the source); answers false to stop there.
using TransferProgress = std::function<bool(std::int64_t copied, std::int64_t total)>;

// Walks the source from its first row to its last. Raises ETransferColumns before copying
// anything when the source is wider than the destination, ETransferTarget when a destination
// column that would take a value is not a writable column of its table, and ETransferFailed
// (with the rows copied so far) when a row cannot be written. Texts are written byte for byte (a
// CR LF stays), never cut.
TransferResult TransferRows(TDataSet& source, TMySQLQuery& destination,
                            const TransferProgress& progress = {});

// Assigns the source field's current value to the destination field of the row being inserted:
// NULL stays NULL, values keep their exact text, bytes stay bytes. Raises ETransferValue for a
// text that is not a number (or not a whole number for an integer column) given to a numeric
// column, and ETransferTooLong for a text longer than maxChars characters (a CHAR or VARCHAR
// column's length; 0 for no limit of the transfer's own).
void TransferValue(const TField& source, TField& destination, std::int64_t maxChars = 0);

// Raises ETransferTarget for the first of the destination's first `columns` fields that is not a
// writable column of its table.
void CheckTransferTargets(const TMySQLQuery& destination, std::size_t columns);
