#include "transfer/row_transfer.h"

#include "data/dataset.h"
#include "data/field.h"
#include "data/mysql_query.h"
#include "data/update_statements.h"

#include <cctype>
#include <vector>

namespace {

bool IsNumericType(FieldType type) {
    return type == FieldType::Integer || type == FieldType::Float || type == FieldType::Decimal;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// A decimal number as the server reads it: sign, digits with at most one point, an exponent
// for floats. wholeOnly refuses a point and an exponent.
bool IsNumberText(std::string_view text, bool wholeOnly) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !point && !wholeOnly) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E') && !wholeOnly) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        if (i == start)
            return false;
    }
    return i == text.size();
}

// Characters of a UTF-8 text: every byte that is not a continuation byte starts one.
std::int64_t CharacterCount(std::string_view text) {
    std::int64_t chars = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++chars;
    return chars;
}

// CHAR(n) or VARCHAR(n), however spelled.
bool IsCharacterColumn(std::string_view typeText) {
    std::string lower(typeText.substr(0, 8));
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.starts_with("char(") || lower.starts_with("varchar(");
}

} // namespace

ETransferTarget::ETransferTarget(std::string column, Kind kind)
    : EDatabaseError("Column " + column +
                     (kind == Expression ? " is an expression, not a column of the table"
                                         : " is a generated column")),
      column_(std::move(column)), kind_(kind) {}

ETransferTooLong::ETransferTooLong(std::string column, std::int64_t length, std::int64_t size)
    : ETransferValue("A text of " + std::to_string(length) + " characters is longer than column " +
                     column + " takes (" + std::to_string(size) + ")"),
      column_(std::move(column)), length_(length), size_(size) {}

ETransferColumns::ETransferColumns(std::size_t sourceColumns, std::size_t destinationColumns)
    : EDatabaseError("The source has " + std::to_string(sourceColumns) +
                     " columns, the destination only " + std::to_string(destinationColumns)),
      source_(sourceColumns), destination_(destinationColumns) {}

void TransferValue(const TField& source, TField& destination, std::int64_t maxChars) {
    const ValueView value = source.Value();
    if (value.null) {
        destination.Clear();
        return;
    }
    const FieldType from = source.DataType();
    const FieldType to = destination.DataType();
    if (to == FieldType::Integer && from == FieldType::Integer &&
        source.IsUnsigned() == destination.IsUnsigned()) {
        FieldValue copy;
        copy.null = false;
        copy.i = value.i;
        destination.SetValue(copy);
        return;
    }
    std::string text = ExactText(from, source.IsUnsigned(), value);
    if (IsNumericType(to)) {
        const std::string_view number = Trimmed(text);
        if (!IsNumberText(number, to == FieldType::Integer))
            throw ETransferValue("Column " + destination.FieldName() +
                                 " takes numbers only, not '" + text + "'");
        text = std::string(number);
    }
    // The text goes as it is: a text the column cannot hold whole is refused, never cut.
    if (maxChars > 0) {
        const std::int64_t length = CharacterCount(text);
        if (length > maxChars)
            throw ETransferTooLong(destination.FieldName(), length, maxChars);
    }
    destination.SetValue(ValueFromText(to, destination.IsUnsigned(), text));
}

void CheckTransferTargets(const TMySQLQuery& destination, std::size_t columns) {
    for (std::size_t i = 0; i < columns && i < destination.FieldCount(); ++i) {
        const TField& field = destination.Field(i);
        const TMySQLField* d = destination.Description(field);
        if (!d)
            throw ETransferTarget(field.FieldName(), ETransferTarget::Expression);
        if (IsGenerated(*d))
            throw ETransferTarget(field.FieldName(), ETransferTarget::Generated);
    }
}

TransferResult TransferRows(TDataSet& source, TMySQLQuery& destination,
                            const TransferProgress& progress) {
    const std::size_t columns = source.FieldCount();
    if (columns > destination.FieldCount())
        throw ETransferColumns(columns, destination.FieldCount());
    CheckTransferTargets(destination, columns);
    // The declared length of each CHAR and VARCHAR column, in characters (0: not such a column).
    std::vector<std::int64_t> maxChars(columns, 0);
    for (std::size_t i = 0; i < columns; ++i) {
        const TField& field = destination.Field(i);
        const TMySQLField* d = destination.Description(field);
        if (d && field.DataType() == FieldType::String && IsCharacterColumn(d->TypeText))
            maxChars[i] = field.Size();
    }
    // The copy keeps every byte; an operator's edits in the grid keep their own rule afterwards.
    struct TextAsIs {
        TMySQLQuery& query;
        bool before;
        explicit TextAsIs(TMySQLQuery& q) : query(q), before(q.WriteTextAsIs) {
            query.WriteTextAsIs = true;
        }
        ~TextAsIs() { query.WriteTextAsIs = before; }
    } textAsIs(destination);
    TransferResult result;
    const std::int64_t total = source.RecordCount();
    source.First();
    while (!source.Eof()) {
        try {
            destination.Append();
            for (std::size_t i = 0; i < columns; ++i)
                TransferValue(source.Field(i), destination.Field(i), maxChars[i]);
            destination.Post();
        } catch (const std::exception& e) {
            // The failed new row must not be posted by a later move of the destination.
            if (destination.State() == DataSetState::Insert)
                destination.Cancel();
            if (const auto* tooLong = dynamic_cast<const ETransferTooLong*>(&e))
                throw ETransferTextTooLong(result.copied, *tooLong);
            const auto* database = dynamic_cast<const EDatabaseError*>(&e);
            throw ETransferFailed(result.copied, e.what(), std::current_exception(),
                                  database ? database->ErrorNumber() : 0,
                                  database ? database->SqlState() : std::string());
        }
        ++result.copied;
        if (progress && !progress(result.copied, total)) {
            result.cancelled = true;
            break;
        }
        source.Next();
    }
    return result;
}
