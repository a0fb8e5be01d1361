// Owners of ODBC handles and the error type of the alias layer. Every environment, connection and
// statement handle is freed by its owner, also when an error passes.
#pragma once

#include "data/db_error.h"

#include <sql.h>
#include <sqlext.h>

#include <string>

// A failed ODBC call: the driver's diagnostic records, "SQLSTATE: text" joined by line feeds.
class EOdbcError : public EDatabaseError {
public:
    explicit EOdbcError(const std::string& message) : EDatabaseError(message) {}
};

class OdbcHandle {
public:
    OdbcHandle() = default;
    // Allocates a handle of the type under its parent (SQL_NULL_HANDLE for an environment).
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle() { Reset(); }
    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE Get() const { return handle_; }
    SQLSMALLINT Type() const { return type_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }
    void Reset();

private:
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// The diagnostic records of a handle, "SQLSTATE: text" per record, joined by line feeds.
std::string OdbcDiagnostics(SQLSMALLINT type, SQLHANDLE handle);
// Raises EOdbcError with what (and the handle's diagnostics) unless the result is a success.
void CheckOdbc(SQLRETURN result, const OdbcHandle& handle, const char* what);
inline bool OdbcSucceeded(SQLRETURN result) {
    return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO;
}
