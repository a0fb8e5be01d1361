#include "transfer/odbc_values.h"

#include "data/text_utils.h"

#include <vector>

namespace {

FieldType FieldTypeOfSqlType(SQLSMALLINT sqlType, SQLULEN size) {
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return FieldType::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return FieldType::Float;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return FieldType::Decimal;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return FieldType::Date;
    case SQL_TYPE_TIME:
    case SQL_TIME:
        return FieldType::Time;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        return FieldType::DateTime;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return FieldType::Blob;
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR:
        return FieldType::Memo;
    default:
        return size > 255 ? FieldType::Memo : FieldType::String;
    }
}

// Reads a variable-length value in parts: the driver answers SQL_SUCCESS_WITH_INFO while more
// remains. terminator is the size of the closing zero the driver writes after text (0 for bytes).
bool ReadParts(const OdbcHandle& statement, SQLUSMALLINT column, SQLSMALLINT cType,
               std::size_t terminator, std::vector<char>& bytes) {
    bytes.clear();
    char buffer[32768];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN r =
            SQLGetData(statement.Get(), column, cType, buffer, sizeof buffer, &indicator);
        if (r == SQL_NO_DATA)
            return true;
        CheckOdbc(r, statement, "A value could not be read");
        if (indicator == SQL_NULL_DATA)
            return false;
        const std::size_t room = sizeof buffer - terminator;
        std::size_t got = room;
        if (indicator != SQL_NO_TOTAL && static_cast<std::size_t>(indicator) < room)
            got = static_cast<std::size_t>(indicator);
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (r == SQL_SUCCESS)
            return true;
    }
}

} // namespace

std::string Utf16ToUtf8(const SQLWCHAR* text, std::size_t units) {
    std::string out;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

OdbcColumn DescribeOdbcColumn(const OdbcHandle& statement, SQLUSMALLINT column) {
    OdbcColumn c;
    SQLWCHAR name[512] = {};
    SQLSMALLINT nameLength = 0, decimals = 0, nullable = 0;
    CheckOdbc(SQLDescribeColW(statement.Get(), column, name, 512, &nameLength, &c.sqlType, &c.size,
                              &decimals, &nullable),
              statement, "A column could not be described");
    c.name = Utf16ToUtf8(name, static_cast<std::size_t>(nameLength < 511 ? nameLength : 511));
    SQLLEN isUnsigned = SQL_FALSE;
    if (OdbcSucceeded(SQLColAttribute(statement.Get(), column, SQL_DESC_UNSIGNED, nullptr, 0,
                                      nullptr, &isUnsigned)))
        c.isUnsigned = isUnsigned == SQL_TRUE && c.sqlType != SQL_BIT;
    c.fieldType = FieldTypeOfSqlType(c.sqlType, c.size);
    return c;
}

FieldValue ReadOdbcValue(const OdbcHandle& statement, SQLUSMALLINT column,
                         const OdbcColumn& description) {
    FieldValue value;
    SQLLEN indicator = 0;
    switch (description.fieldType) {
    case FieldType::Integer: {
        // Read 64-bit: a narrower C type answers success with a wrong number for large values.
        const SQLSMALLINT cType = description.isUnsigned ? SQL_C_UBIGINT : SQL_C_SBIGINT;
        SQLBIGINT number = 0;
        CheckOdbc(SQLGetData(statement.Get(), column, cType, &number, sizeof number, &indicator),
                  statement, "A value could not be read");
        if (indicator == SQL_NULL_DATA)
            return value;
        value.null = false;
        value.i = number;
        return value;
    }
    case FieldType::Float: {
        double number = 0;
        CheckOdbc(
            SQLGetData(statement.Get(), column, SQL_C_DOUBLE, &number, sizeof number, &indicator),
            statement, "A value could not be read");
        if (indicator == SQL_NULL_DATA)
            return value;
        value.null = false;
        value.d = number;
        return value;
    }
    case FieldType::Blob: {
        std::vector<char> bytes;
        if (!ReadParts(statement, column, SQL_C_BINARY, 0, bytes))
            return value;
        value.null = false;
        value.text.assign(bytes.begin(), bytes.end());
        return value;
    }
    default: {
        std::vector<char> bytes;
        if (!ReadParts(statement, column, SQL_C_WCHAR, sizeof(SQLWCHAR), bytes))
            return value;
        value.null = false;
        value.text = Utf16ToUtf8(reinterpret_cast<const SQLWCHAR*>(bytes.data()),
                                 bytes.size() / sizeof(SQLWCHAR));
        return value;
    }
    }
}
