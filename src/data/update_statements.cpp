#include "data/update_statements.h"

#include "data/column_defaults.h"
#include "data/column_types.h"
#include "data/sql_names.h"
#include "data/sql_scanner.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool ContainsNoCase(std::string_view text, std::string_view word) {
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

// A decimal number as the server writes one: optional minus, digits, optional fraction.
bool IsPlainNumber(std::string_view s) {
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    const std::size_t dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    if (whole.empty() || (dot != std::string_view::npos && fraction.empty()))
        return false;
    auto digits = [](std::string_view d) {
        return std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && digits(fraction);
}

// The type's name in a SHOW COLUMNS Type text, in lower case: "varchar" for varchar(10).
std::string BaseType(const TMySQLField& d) {
    std::string base;
    for (char c : d.TypeText) {
        if (c == '(' || c == ' ')
            break;
        base += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return base;
}

// A FLOAT is shown rounded to fewer digits than it holds.
bool IsSinglePrecision(const TMySQLField& d) {
    return BaseType(d) == "float";
}

bool IsBit(const TMySQLField& d) {
    return BaseType(d) == "bit";
}

bool IsTimestamp(const TMySQLField& d) {
    return BaseType(d) == "timestamp";
}

// Bytes compared as bytes by the server already (binary strings never pad or fold case).
bool IsBinaryString(const TMySQLField& d) {
    const std::string base = BaseType(d);
    return base == "binary" || base == "varbinary" || base.find("blob") != std::string::npos;
}

// Texts that a collation may compare without regard to case or trailing blanks.
bool IsCollatedText(const TMySQLField& d) {
    if (d.DataType == FieldType::Boolean)
        return false; // enum('Y','N') is shown as Y or N whatever the case it holds
    const std::string base = BaseType(d);
    return base == "char" || base == "varchar" || base.find("text") != std::string::npos ||
           base == "enum" || base == "set" || base == "json";
}

// A BIT value (its bytes, most significant first) as a bit literal: b'101'.
std::string BitLiteral(std::string_view bytes) {
    std::string bits;
    for (unsigned char c : bytes)
        for (int b = 7; b >= 0; --b)
            bits += (c >> b) & 1 ? '1' : '0';
    const std::size_t first = bits.find('1');
    return "b'" + (first == std::string::npos ? std::string("0") : bits.substr(first)) + "'";
}

// The bounds of the FLOAT values whose shown text (six significant digits) is `text`, as double
// literals; false when the text is not a number or is zero (compared exactly).
bool FloatRange(const std::string& text, std::string& low, std::string& high) {
    double x = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
    if (ec != std::errc() || end != text.data() + text.size() || x == 0 || !std::isfinite(x))
        return false;
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 5);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9e", x - unit / 2);
    low = buffer;
    std::snprintf(buffer, sizeof buffer, "%.9e", x + unit / 2);
    high = buffer;
    return true;
}

class Generator {
public:
    Generator(const StatementAnalysis& a, const TFieldValues& o, const TFieldValues& n,
              const SqlLiteralFn& literal)
        : analysis_(a), old_(o), new_(n), literal_(literal) {}

    // The description of an entry of a table: its name is the table, a full stop and the column
    // (which may hold full stops itself); nullptr when the entry belongs to another table.
    const TMySQLField* Describe(const std::string& name, const std::string& table) const {
        if (name.size() <= table.size() || name.compare(0, table.size(), table) != 0 ||
            name[table.size()] != '.')
            return nullptr;
        const std::string_view column = std::string_view(name).substr(table.size() + 1);
        for (const TMySQLField& f : analysis_.Fields())
            if (f.Table == table && f.Column == column)
                return &f;
        return nullptr;
    }

    std::string Literal(const TMySQLField* d, const std::string& text) const {
        if (d && IsBit(*d))
            return BitLiteral(text);
        if (d &&
            (KindOf(d->DataType) == ValueKind::Integer ||
             KindOf(d->DataType) == ValueKind::Decimal) &&
            IsPlainNumber(text))
            return text; // exact, and the same in every sql_mode
        if (d && IsBinaryString(*d))
            return "_binary" + literal_(text);
        return literal_(text);
    }

    static std::string ColumnName(const TMySQLField& d) { return QuoteNameIfNeeded(d.Column); }

    // What a condition compares that may stand for more than one stored value.
    struct Inexact {
        std::vector<std::pair<std::string, std::string>> instants;
        std::vector<std::string> floats; // FLOAT columns compared by a range
    };

    // The exact comparison of a column with its value as read. `finds`: the comparison helps to
    // find the row (a key or a keyless row) rather than only to check that it is unchanged.
    // `byKey`: a primary-key column, which holds no two values its collation finds equal, so its
    // text is compared as its index compares it.
    std::string Compare(const TMySQLField& d, std::size_t i, bool finds, Inexact& inexact,
                        bool byKey = false) const {
        return Compare(d, old_, i, finds, inexact, byKey);
    }
    std::string Compare(const TMySQLField& d, const TFieldValues& row, std::size_t i, bool finds,
                        Inexact& inexact, bool byKey = false) const {
        const std::string column = ColumnName(d);
        if (row.IsNull(i))
            return column + " IS NULL";
        const std::string& value = row.Value(i);
        if (IsCollatedText(d) && !byKey)
            return "CAST(CONVERT(" + column + " USING utf8mb4) AS BINARY) = CAST(" +
                   literal_(value) + " AS BINARY)";
        if (IsSinglePrecision(d)) {
            std::string low, high;
            if (FloatRange(value, low, high)) {
                if (finds)
                    inexact.floats.push_back(column);
                return column + " BETWEEN " + low + " AND " + high;
            }
        }
        if (IsTimestamp(d)) {
            if (finds) {
                inexact.instants.push_back({d.Column, value});
            } else {
                // As shown: a time that a clock change repeats matches both of its instants.
                return "CAST(" + column + " AS CHAR) = " + literal_(value);
            }
        }
        return column + " = " + Literal(&d, value);
    }

    // The WHERE part; empty when the row cannot be found (no column of the table in it).
    // checkChanged: also compare the columns the change alters with their values as read.
    std::string Where(const std::string& table, bool checkChanged, bool& limitOne,
                      GeneratedStatement& s) const {
        limitOne = false;
        Inexact inexact;
        std::string cond;
        // By the primary key when every key column is in the row.
        const std::vector<std::string> keys = analysis_.PrimaryKeyOf(table);
        bool keyed = !keys.empty();
        for (const std::string& key : keys) {
            const int i = old_.IndexOf(table + "." + key);
            const TMySQLField* d = i < 0 ? nullptr : Describe(old_.Name(i), table);
            if (!d) {
                keyed = false;
                break;
            }
            cond += cond.empty() ? "" : " AND ";
            cond += Compare(*d, static_cast<std::size_t>(i), true, inexact, true);
        }
        if (keyed) {
            const std::string keyCondition = cond;
            const std::vector<std::string> keyFloats = inexact.floats;
            if (checkChanged) {
                for (std::size_t i = 0; i < old_.Count(); ++i) {
                    const TMySQLField* d = Describe(old_.Name(i), table);
                    if (!d || d->KeyKind == 1 || !Changed(i) || IsGenerated(*d))
                        continue;
                    // Already holding the value written, the column loses nothing.
                    cond += " AND (" + Compare(*d, i, false, inexact) + " OR " +
                            Compare(*d, new_, i, false, inexact) + ")";
                }
            }
            if (!keyFloats.empty()) {
                s.distinctRowsProbe =
                    "SELECT COUNT(*) FROM " + TableInStatement(table) + " WHERE " + keyCondition;
                s.probeName = keyFloats.front();
            }
        } else {
            cond.clear();
            inexact = {};
            for (std::size_t i = 0; i < old_.Count(); ++i) {
                const TMySQLField* d = Describe(old_.Name(i), table);
                if (!d)
                    continue;
                cond += cond.empty() ? "" : " AND ";
                cond += Compare(*d, i, true, inexact);
            }
            limitOne = !cond.empty();
            // LIMIT 1 may choose only among rows equal in every column: those that a FLOAT's
            // range and the columns missing from the row could tell apart are counted first.
            std::string groups;
            for (const std::string& f : inexact.floats)
                groups += (groups.empty() ? "" : ", ") + f;
            for (const std::string& column : analysis_.ColumnsOf(table)) {
                if (old_.IndexOf(table + "." + column) >= 0)
                    continue;
                groups += (groups.empty() ? "" : ", ") + QuoteNameIfNeeded(column);
                s.probeHiddenColumns = true;
            }
            if (limitOne && !groups.empty()) {
                s.distinctRowsProbe = "SELECT COUNT(*) FROM (SELECT 1 FROM " +
                                      TableInStatement(table) + " WHERE " + cond + " GROUP BY " +
                                      groups + " LIMIT 2) AS kestrel_rows";
                s.probeName =
                    s.probeHiddenColumns ? SplitName(table).back() : inexact.floats.front();
            }
        }
        s.instants = std::move(inexact.instants);
        return cond.empty() ? std::string() : " WHERE " + cond;
    }

    // An entry whose value or null flag the change altered ('' and NULL differ).
    bool Changed(std::size_t i) const {
        if (i >= old_.Count() || i >= new_.Count())
            return false;
        if (new_.IsNull(i) != old_.IsNull(i))
            return true;
        return !new_.IsNull(i) && new_.Value(i) != old_.Value(i);
    }

    // An ENUM ... NOT NULL without a default, which the row leaves unset: the server's own rule
    // (its first member) fills it, where the empty text would be refused.
    static bool LeftToTheServer(const TMySQLField& d, bool isNull, const std::string& value) {
        if (BaseType(d) != "enum" || d.Nullable || !d.DefaultValue.empty())
            return false;
        if (isNull)
            return true;
        if (!value.empty())
            return false;
        const std::vector<std::string> members = DeclaredValues(d.TypeText);
        return std::find(members.begin(), members.end(), "") == members.end();
    }

    std::string Insert(const std::string& table) const {
        std::string columns, values;
        for (std::size_t i = 0; i < new_.Count(); ++i) {
            const TMySQLField* d = Describe(new_.Name(i), table);
            if (!d || IsGenerated(*d) || !d->Writable)
                continue;
            // Left out, the server computes an expression default itself.
            if (new_.IsNull(i) && DefaultIsExpression(*d))
                continue;
            if (LeftToTheServer(*d, new_.IsNull(i), new_.Value(i)))
                continue;
            columns += columns.empty() ? "" : ", ";
            columns += ColumnName(*d);
            values += values.empty() ? "" : ", ";
            values += new_.IsNull(i) ? "NULL" : Literal(d, new_.Value(i));
        }
        if (columns.empty())
            return {};
        return "INSERT INTO " + TableInStatement(table) + " (" + columns + ") VALUES (" + values +
               ")";
    }

    std::string Update(const std::string& table, GeneratedStatement& s) const {
        std::string sets;
        for (std::size_t i = 0; i < new_.Count(); ++i) {
            const TMySQLField* d = Describe(new_.Name(i), table);
            if (!d || !Changed(i) || IsGenerated(*d) || !d->Writable)
                continue;
            sets += sets.empty() ? "" : ", ";
            sets += ColumnName(*d);
            sets += new_.IsNull(i) ? "=NULL" : "=" + Literal(d, new_.Value(i));
        }
        if (sets.empty())
            return {};
        bool limitOne = false;
        const std::string where = Where(table, true, limitOne, s);
        if (where.empty())
            return {};
        return "UPDATE " + TableInStatement(table) + " SET " + sets + where +
               (limitOne ? " LIMIT 1" : "");
    }

    std::string Delete(const std::string& table, GeneratedStatement& s) const {
        bool limitOne = false;
        const std::string where = Where(table, false, limitOne, s);
        if (where.empty())
            return {};
        return "DELETE FROM " + TableInStatement(table) + where + (limitOne ? " LIMIT 1" : "");
    }

private:
    const StatementAnalysis& analysis_;
    const TFieldValues& old_;
    const TFieldValues& new_;
    const SqlLiteralFn& literal_;
};

} // namespace

std::string TextAsWritten(FieldType type, const std::string& text) {
    if (type == FieldType::Blob || text.find("\r\n") == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

bool IsAutoIncrement(const TMySQLField& d) {
    return d.AutoKind == 1;
}

bool IsGenerated(const TMySQLField& d) {
    return ContainsNoCase(d.Extra, "GENERATED");
}

std::string TableInStatement(std::string_view table) {
    return std::string(table); // the analysis keeps tables as SQL text, quoted where needed
}

std::vector<GeneratedStatement>
GenerateStatements(const StatementAnalysis& analysis, const TFieldValues& oldValues,
                   const TFieldValues& newValues, std::uint8_t state, const SqlLiteralFn& literal) {
    std::vector<GeneratedStatement> out;
    const Generator g(analysis, oldValues, newValues, literal);
    const std::vector<std::string>& tables = analysis.Tables();
    bool deleted = false;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        GeneratedStatement s;
        s.table = t;
        switch (state) {
        case 1:
        case 2:
            s.sql = g.Insert(tables[t]);
            s.insert = true;
            break;
        case 3:
            // The row of the first table that has columns in the row, and no other: a row that
            // joins an order to its customer deletes the order, not the customer.
            if (deleted)
                break;
            s.sql = g.Delete(tables[t], s);
            s.mustMatch = true;
            deleted = !s.sql.empty();
            break;
        case 4:
            s.sql = g.Update(tables[t], s);
            s.mustMatch = true;
            break;
        default:
            break;
        }
        if (!s.sql.empty())
            out.push_back(std::move(s));
    }
    return out;
}
