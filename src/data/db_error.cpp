#include "data/db_error.h"

namespace {} // namespace

bool IsConnectionLost(unsigned number, const std::string& sqlState) {
    switch (number) {
    case 2006: // CR_SERVER_GONE_ERROR
    case 2013: // CR_SERVER_LOST
    case 2055: // CR_SERVER_LOST_EXTENDED
    case 1927: // ER_CONNECTION_KILLED
    case 1053: // ER_SERVER_SHUTDOWN
    case 4031: // ER_CLIENT_INTERACTION_TIMEOUT
        return true;
    default:
        // Communication link failure
        return sqlState == "08S01";
    }
}

namespace {

bool DuplicateKey(unsigned number) {
    // ER_DUP_KEY, ER_DUP_ENTRY, ER_DUP_ENTRY_WITH_KEY_NAME
    return number == 1022 || number == 1062 || number == 1586;
}

bool ForeignKey(unsigned number) {
    // ER_NO_REFERENCED_ROW, ER_ROW_IS_REFERENCED, ER_ROW_IS_REFERENCED_2, ER_NO_REFERENCED_ROW_2
    return number == 1216 || number == 1217 || number == 1451 || number == 1452;
}

bool ConstraintViolated(unsigned number, const std::string& sqlState) {
    // ER_CONSTRAINT_FAILED (CHECK), and the integrity constraint class
    return number == 4025 || number == 3819 || sqlState.starts_with("23");
}

} // namespace

void ThrowServerError(const std::string& message, unsigned errorNumber,
                      const std::string& sqlState) {
    if (IsConnectionLost(errorNumber, sqlState))
        throw EConnectionLost(message, errorNumber, sqlState);
    if (DuplicateKey(errorNumber))
        throw EDuplicateKey(message, errorNumber, sqlState);
    if (ForeignKey(errorNumber))
        throw EForeignKeyViolated(message, errorNumber, sqlState);
    if (ConstraintViolated(errorNumber, sqlState))
        throw EConstraintViolated(message, errorNumber, sqlState);
    throw EDatabaseError(message, errorNumber, sqlState);
}

std::exception_ptr ServerError(const std::string& message, unsigned errorNumber,
                               const std::string& sqlState) {
    try {
        ThrowServerError(message, errorNumber, sqlState);
    } catch (...) {
        return std::current_exception();
    }
}
