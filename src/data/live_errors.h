// Texts raised by live editing: the change log, the statement generator and the blob streams.
#pragma once

#include "data/db_error.h"

namespace liveerr {
inline constexpr const char* kNoTransaction = "Component Transaction nod defined";
inline constexpr const char* kInternalAddRecord = "Internal error in InternalAddRecord";
inline constexpr const char* kMemoryAllocation = "Memory allocatiopn error";
inline constexpr const char* kNotInsertOrEdit = "Not in Insert or Edit mode";
inline constexpr const char* kRowChanged =
    "The row was changed or deleted by another user; nothing was written";
inline constexpr const char* kRowChangedCroatian =
    "Redak je promijenio ili obrisao drugi korisnik; ništa nije zapisano";
} // namespace liveerr

// An UPDATE or DELETE of one row found no row on the server: another connection changed or
// deleted it since it was read. Nothing was written and the change stays pending.
class ERowChanged : public EDatabaseError {
public:
    ERowChanged() : EDatabaseError(liveerr::kRowChanged) {}
};
