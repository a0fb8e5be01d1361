// The errors of the data layer's connections, queries and datasets. EDatabaseError is their base: a
// failure with a text shown as it is and, when the server or the client library answered it, their
// error number and SQLSTATE. ThrowServerError() picks the class for an answered error:
// EConnectionLost; EDuplicateKey or EForeignKeyViolated, or EConstraintViolated itself for another
// rule of a table (a CHECK); EDatabaseError for the rest. What the data layer raises on its own
// derives from EDatabaseError too (ENoResultSet below, the live editing's refusals in
// live_errors.h, the filter's EParserError); only a failed socket call of the transact-server
// client is an EWinsockError (winsock_error.h), apart from them. Callers tell the cases apart by
// type, never by the text.
#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const std::string& message, unsigned errorNumber = 0,
                            std::string sqlState = {})
        : std::runtime_error(message), errorNumber_(errorNumber), sqlState_(std::move(sqlState)) {}
    // The server's or the client library's error number; 0 for a failure the data layer found
    // itself (or an answer that carries no number, like the transact-server's).
    unsigned ErrorNumber() const { return errorNumber_; }
    // The five-character SQLSTATE that came with the number; empty without one.
    const std::string& SqlState() const { return sqlState_; }

private:
    unsigned errorNumber_;
    std::string sqlState_;
};

// The connection is gone: the server closed it, it was killed, or the network broke. Nothing
// more can be sent on it until it is opened again.
class EConnectionLost : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};

// The server refused a write because it breaks a rule of the table (SQLSTATE class 23, or a
// CHECK constraint).
class EConstraintViolated : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};

// A unique or primary key already holds the value.
class EDuplicateKey : public EConstraintViolated {
public:
    using EConstraintViolated::EConstraintViolated;
};

// A foreign key refused the write: a parent row is missing, or child rows still refer to it.
class EForeignKeyViolated : public EConstraintViolated {
public:
    using EConstraintViolated::EConstraintViolated;
};

// Whether an error number (with its SQLSTATE) says that the connection is gone.
bool IsConnectionLost(unsigned errorNumber, const std::string& sqlState);

// The one place that turns an error the server or the client library answered into an exception:
// the class follows the number (and the SQLSTATE), the text stays message.
[[noreturn]] void ThrowServerError(const std::string& message, unsigned errorNumber,
                                   const std::string& sqlState);
// The same exception, held to be raised later (rethrown, it keeps its class).
std::exception_ptr ServerError(const std::string& message, unsigned errorNumber,
                               const std::string& sqlState);

// Texts raised by the connection, query and dataset objects.
namespace dberr {
inline constexpr const char* kNotConnected = "Not connected";
inline constexpr const char* kConnectToServer = "Connect to server error";
inline constexpr const char* kDatabaseCreating = "Database creating error";
inline constexpr const char* kNotConnectedYet = "Not connected yet";
inline constexpr const char* kNoConnectionComponent = "Component Connection not defined";
inline constexpr const char* kDatabaseConnect = "Database connect error";
inline constexpr const char* kNoTransactionComponent = "Component Transaction not defined";
inline constexpr const char* kTransactServerConnect = "Transact-server connect error";
inline constexpr const char* kUnknownDatabaseType = "Unknown database type";
inline constexpr const char* kUnknownType = "Unknown type: ";
inline constexpr const char* kNoMoreRecords = "Больше нет записей.";
inline constexpr const char* kBookmarkNotFound = "Bookmark not found";
inline constexpr const char* kReadOnlyDataset = "Cannot modify a read-only dataset";
inline constexpr const char* kNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* kDatasetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* kDatasetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* kNoResultSet = "The statement returned no result set";
} // namespace dberr

// Raised when a statement that was opened for its rows ran on the server and answered none at all
// (an INSERT, UPDATE, DELETE or a definition): it has taken effect, so sending it again would
// repeat it. Carries the number of rows it affected.
class ENoResultSet : public EDatabaseError {
public:
    explicit ENoResultSet(std::uint64_t affectedRows)
        : EDatabaseError(dberr::kNoResultSet), affectedRows_(affectedRows) {}
    std::uint64_t AffectedRows() const { return affectedRows_; }

private:
    std::uint64_t affectedRows_;
};
