// Texts raised by live editing: the change log, the statement generator and the blob streams.
#pragma once

#include "data/db_error.h"

#include <string>

namespace liveerr {
inline constexpr const char* kNoTransaction = "Component Transaction nod defined";
inline constexpr const char* kInternalAddRecord = "Internal error in InternalAddRecord";
inline constexpr const char* kMemoryAllocation = "Memory allocatiopn error";
inline constexpr const char* kNotInsertOrEdit = "Not in Insert or Edit mode";
inline constexpr const char* kRowChanged =
    "The row was changed or deleted by another user; nothing was written";
inline constexpr const char* kRowChangedCroatian =
    "Redak je promijenio ili obrisao drugi korisnik; ništa nije zapisano";
// A row that its values cannot tell apart from another ("%1": the column).
inline constexpr const char* kFloatNotDistinct =
    "The row cannot be told apart from another row: column \"%1\" is a FLOAT shown rounded, and "
    "more than one row has the value shown; nothing was written";
inline constexpr const char* kFloatNotDistinctCroatian =
    "Redak se ne može razlikovati od drugog retka: stupac \"%1\" je FLOAT prikazan zaokruženo, a "
    "prikazanu vrijednost ima više redaka; ništa nije zapisano";
inline constexpr const char* kTimeNotDistinct =
    "The row cannot be told apart from another row: the time in column \"%1\" falls in the hour "
    "that a clock change repeats; nothing was written";
inline constexpr const char* kTimeNotDistinctCroatian =
    "Redak se ne može razlikovati od drugog retka: vrijeme u stupcu \"%1\" pada u sat koji "
    "promjena sata ponavlja; ništa nije zapisano";
} // namespace liveerr

// An UPDATE or DELETE of one row found no row on the server: another connection changed or
// deleted it since it was read. Nothing was written and the change stays pending.
class ERowChanged : public EDatabaseError {
public:
    ERowChanged() : EDatabaseError(liveerr::kRowChanged) {}
};

// The values of a row stand for more than one row of the table (a FLOAT the server shows rounded,
// a TIMESTAMP in the hour a clock change repeats): the change is refused before anything is sent.
class ERowNotDistinct : public EDatabaseError {
public:
    enum class Reason { RoundedFloat, RepeatedTime };
    ERowNotDistinct(Reason reason, const std::string& column)
        : EDatabaseError(Compose(reason == Reason::RoundedFloat ? liveerr::kFloatNotDistinct
                                                                : liveerr::kTimeNotDistinct,
                                 column)),
          reason_(reason), column_(column) {}
    Reason WhyNot() const { return reason_; }
    const std::string& Column() const { return column_; }

private:
    static std::string Compose(std::string text, const std::string& column) {
        return text.replace(text.find("%1"), 2, column);
    }
    Reason reason_;
    std::string column_;
};
