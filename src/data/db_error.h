// The one error type of the data layer: a failure with a fixed text, shown as it is.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const std::string& message) : std::runtime_error(message) {}
};

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
