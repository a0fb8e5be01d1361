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
inline constexpr const char* kHiddenNotDistinct =
    "The row cannot be told apart from another row: more than one row of table \"%1\" has the "
    "values shown, and the columns that tell them apart are not in the result; nothing was written";
inline constexpr const char* kHiddenNotDistinctCroatian =
    "Redak se ne može razlikovati od drugog retka: više redaka tablice \"%1\" ima prikazane "
    "vrijednosti, a stupci po kojima se razlikuju nisu u rezultatu; ništa nije zapisano";
} // namespace liveerr

// An UPDATE or DELETE of one row found no row on the server: another connection changed or
// deleted it since it was read. Nothing was written and the change stays pending.
class ERowChanged : public EDatabaseError {
public:
    ERowChanged() : EDatabaseError(liveerr::kRowChanged) {}
};

// The values of a row stand for more than one row of the table (a FLOAT the server shows rounded,
// a TIMESTAMP in the hour a clock change repeats, columns that would tell the rows apart left out
// of the result): the change is refused before anything is sent. The name is the column's, or
// the table's for left-out columns.
class ERowNotDistinct : public EDatabaseError {
public:
    enum class Reason { RoundedFloat, RepeatedTime, HiddenColumns };
    ERowNotDistinct(Reason reason, const std::string& name)
        : EDatabaseError(Compose(EnglishText(reason), name)), reason_(reason), name_(name) {}
    Reason WhyNot() const { return reason_; }
    const std::string& Name() const { return name_; }
    // The message with "%1" for the name.
    static const char* EnglishText(Reason reason) {
        return reason == Reason::RoundedFloat   ? liveerr::kFloatNotDistinct
               : reason == Reason::RepeatedTime ? liveerr::kTimeNotDistinct
                                                : liveerr::kHiddenNotDistinct;
    }
    static const char* CroatianText(Reason reason) {
        return reason == Reason::RoundedFloat   ? liveerr::kFloatNotDistinctCroatian
               : reason == Reason::RepeatedTime ? liveerr::kTimeNotDistinctCroatian
                                                : liveerr::kHiddenNotDistinctCroatian;
    }

private:
    static std::string Compose(std::string text, const std::string& name) {
        return text.replace(text.find("%1"), 2, name);
    }
    Reason reason_;
    std::string name_;
};
