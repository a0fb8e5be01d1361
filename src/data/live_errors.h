// Texts raised by live editing: the change log, the statement generator and the blob streams.
#pragma once

#include "data/db_error.h"

#include <string>
#include <utility>

namespace liveerr {
inline constexpr const char* kNoTransaction = "Component Transaction nod defined";
inline constexpr const char* kInternalAddRecord = "Internal error in InternalAddRecord";
inline constexpr const char* kMemoryAllocation = "Memory allocatiopn error";
inline constexpr const char* kNotInsertOrEdit = "Not in Insert or Edit mode";
inline constexpr const char* kRowChanged =
    "The row was changed or deleted by another user; nothing was written";
inline constexpr const char* kRowChangedCroatian =
    "Redak je promijenio ili obrisao drugi korisnik; ništa nije zapisano";
// A text that is not a value of a number column: %1 the column, %2 the text.
inline constexpr const char* kNotAValue = "\"%2\" is not a value of the column %1; nothing was set";
inline constexpr const char* kNotAValueCroatian =
    "\"%2\" nije vrijednost stupca %1; ništa nije postavljeno";
// An UPDATE or DELETE of a row whose key the client does not know (a new row whose generated key
// the carrier did not report).
inline constexpr const char* kKeyUnknown =
    "The key of this row is not known; refresh the rows before changing it";
inline constexpr const char* kKeyUnknownCroatian =
    "Ključ ovog retka nije poznat; osvježite retke prije nego što ga promijenite";
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
// The server rolled back the open transaction (a deadlock, a lock wait that timed out, a cluster
// node's conflict): every change written in it is pending again in the grid; rows deleted in it
// are back on the server. %1: the server's text.
inline constexpr const char* kTransactionRolledBack =
    "%1\nThe server rolled back the open transaction: the changes written in it are not saved "
    "and wait to be posted again; Refresh shows what the server holds.";
inline constexpr const char* kTransactionRolledBackCroatian =
    "%1\nPoslužitelj je poništio otvorenu transakciju: promjene zapisane u njoj nisu spremljene "
    "i čekaju ponovni upis; Osvježi pokazuje što poslužitelj ima.";
// The connection broke while a change was being sent (%1: the client library's text): the server
// may or may not have written it.
inline constexpr const char* kWriteUncertain =
    "%1\nThe connection was lost while the change was being sent: it may or may not have been "
    "written. Your values are kept; Refresh shows what the server holds.";
inline constexpr const char* kWriteUncertainCroatian =
    "%1\nVeza je prekinuta dok se promjena slala: možda je zapisana, a možda nije. Vaše "
    "vrijednosti su sačuvane; Osvježi pokazuje što poslužitelj ima.";
} // namespace liveerr

// An UPDATE or DELETE of one row found no row on the server: another connection changed or
// deleted it since it was read. Nothing was written and the change stays pending.
class ERowChanged : public EDatabaseError {
public:
    ERowChanged() : EDatabaseError(liveerr::kRowChanged) {}
};

// A text set into a number field that is not exactly a value of its column (12.5 or abc into an
// integer, 1,5 into a float). Nothing is set; the operator's text can be kept and corrected.
class ENotAValue : public EDatabaseError {
public:
    ENotAValue(std::string column, std::string text)
        : EDatabaseError(Compose(liveerr::kNotAValue, column, text)), column_(std::move(column)),
          text_(std::move(text)) {}
    const std::string& Column() const { return column_; }
    const std::string& Text() const { return text_; }
    // The message with the column and the text put in.
    static std::string Compose(std::string pattern, const std::string& column,
                               const std::string& text) {
        for (auto [mark, value] :
             {std::pair<const char*, const std::string*>{"%1", &column}, {"%2", &text}}) {
            const std::size_t at = pattern.find(mark);
            if (at != std::string::npos)
                pattern.replace(at, 2, *value);
        }
        return pattern;
    }

private:
    std::string column_;
    std::string text_;
};

// The server rolled back the open transaction: the changes written in it are pending again.
class ETransactionRolledBack : public EDatabaseError {
public:
    explicit ETransactionRolledBack(const std::string& serverText)
        : EDatabaseError(Compose(serverText)), serverText_(serverText) {}
    const std::string& ServerText() const { return serverText_; }

private:
    static std::string Compose(const std::string& serverText) {
        // The server's text takes the place of the leading "%1".
        return serverText + (liveerr::kTransactionRolledBack + 2);
    }
    std::string serverText_;
};

// The connection was lost while a change was being sent; the edit keeps the operator's values.
class EWriteUncertain : public EDatabaseError {
public:
    explicit EWriteUncertain(const std::string& clientText)
        : EDatabaseError(clientText + (liveerr::kWriteUncertain + 2)), clientText_(clientText) {}
    const std::string& ClientText() const { return clientText_; }

private:
    std::string clientText_;
};

// An UPDATE or DELETE would have to find its row by a key the client does not know.
class EKeyUnknown : public EDatabaseError {
public:
    EKeyUnknown() : EDatabaseError(liveerr::kKeyUnknown) {}
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
