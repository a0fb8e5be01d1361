#include "transfer/odbc_handles.h"

#include <utility>

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    if (!OdbcSucceeded(SQLAllocHandle(type, parent, &handle_))) {
        std::string text = "ODBC handle could not be allocated";
        if (parent != SQL_NULL_HANDLE) {
            const SQLSMALLINT parentType =
                type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV;
            const std::string diagnostics = OdbcDiagnostics(parentType, parent);
            if (!diagnostics.empty())
                text += ": " + diagnostics;
        }
        handle_ = SQL_NULL_HANDLE;
        throw EOdbcError(text);
    }
}

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, SQLHANDLE{})) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        Reset();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, SQLHANDLE{});
    }
    return *this;
}

void OdbcHandle::Reset() {
    if (handle_ != SQL_NULL_HANDLE)
        SQLFreeHandle(type_, handle_);
    handle_ = SQL_NULL_HANDLE;
}

std::string OdbcDiagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN r = SQLGetDiagRec(type, handle, record, state, &nativeError, message,
                                          sizeof message, &length);
        if (!OdbcSucceeded(r))
            break;
        if (!text.empty())
            text += '\n';
        text += reinterpret_cast<const char*>(state);
        text += ": ";
        text += reinterpret_cast<const char*>(message);
    }
    return text;
}

void CheckOdbc(SQLRETURN result, const OdbcHandle& handle, const char* what) {
    if (OdbcSucceeded(result))
        return;
    std::string text = what;
    const std::string diagnostics = OdbcDiagnostics(handle.Type(), handle.Get());
    if (!diagnostics.empty())
        text += ": " + diagnostics;
    throw EOdbcError(text);
}
